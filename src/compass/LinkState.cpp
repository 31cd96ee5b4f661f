#include "compass/LinkState.h"

namespace app {

namespace {

const char *StageName(LinkStage stage) {
    switch (stage) {
    case LinkStage::Down:
        return "down";
    case LinkStage::Starting:
        return "starting";
    case LinkStage::Answered:
        return "answered";
    case LinkStage::Up:
        return "up";
    case LinkStage::Lost:
        return "lost";
    }
    return "?";
}

const char *ExchangeName(Exchange exchange) {
    switch (exchange) {
    case Exchange::None:
        return "no exchange";
    case Exchange::LinkStart:
        return "link start exchange";
    case Exchange::ParameterTransfer:
        return "parameter transfer exchange";
    case Exchange::CalibrationPhase:
        return "calibration phase exchange";
    case Exchange::HandOver:
        return "hand-over exchange";
    }
    return "?";
}

} // namespace

std::string Describe(const LinkState &state) {
    std::string text = std::string(StageName(state.link)) + ", " + ExchangeName(state.exchange);
    if (state.Calibrating())
        text += ", phase " + std::to_string(state.calibrationPhase);
    return text;
}

} // namespace app
