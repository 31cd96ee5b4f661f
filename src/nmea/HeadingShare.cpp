#include "nmea/HeadingShare.h"

#include "nmea/PtyOutput.h"
#include "nmea/TcpOutput.h"
#include "nmea/UdpOutput.h"

#include <algorithm>

namespace nmea {

HeadingShare::HeadingShare(QString ptyLinkPath) : ptyLinkPath_(std::move(ptyLinkPath)) {}

HeadingShare::~HeadingShare() = default;

void HeadingShare::AddNoticeSink(NoticeSink sink) { sinks_.push_back(std::move(sink)); }

void HeadingShare::Notify(const ShareNotice &notice) {
    for (const NoticeSink &sink : sinks_)
        sink(notice);
    emit Changed();
}

void HeadingShare::SetRunChoice(std::vector<OutputTarget> targets, bool trueHeading) {
    runTargets_ = std::move(targets);
    runTrueHeading_ = trueHeading;
    Reconcile();
}

void HeadingShare::SetSaved(const ShareSettings &settings) {
    saved_ = settings;
    Reconcile();
}

void HeadingShare::Start() {
    started_ = true;
    Reconcile();
}

std::vector<OutputTarget> HeadingShare::Targets() const {
    std::vector<OutputTarget> targets = saved_.Targets();
    for (const OutputTarget &target : runTargets_)
        if (std::find(targets.begin(), targets.end(), target) == targets.end())
            targets.push_back(target);
    return targets;
}

ShareOutput *HeadingShare::Output(const OutputTarget &target) const {
    for (const auto &output : outputs_)
        if (output->Target() == target)
            return output.get();
    return nullptr;
}

std::unique_ptr<ShareOutput> HeadingShare::MakeOutput(const OutputTarget &target) {
    NoticeSink notify = [this](const ShareNotice &notice) { Notify(notice); };
    switch (target.kind) {
    case OutputKind::Udp:
        return std::make_unique<UdpOutput>(target, std::move(notify), resolver_);
    case OutputKind::Tcp:
        return std::make_unique<TcpOutput>(target, std::move(notify));
    case OutputKind::Pty:
        break;
    }
    return std::make_unique<PtyOutput>(target, std::move(notify), ptyLinkPath_);
}

void HeadingShare::Reconcile() {
    if (!started_)
        return;
    const std::vector<OutputTarget> wanted = Targets();
    // Closed first, so that a server restarted on the same port finds it free.
    std::erase_if(outputs_, [&](const std::unique_ptr<ShareOutput> &output) {
        return output->Failed() ||
               std::find(wanted.begin(), wanted.end(), output->Target()) == wanted.end();
    });
    for (const OutputTarget &target : wanted)
        if (Output(target) == nullptr)
            outputs_.push_back(MakeOutput(target));
}

void HeadingShare::Share(const compass::Reading &reading) {
    if (outputs_.empty())
        return;
    const std::vector<std::string> sentences =
        HeadingSentences(reading, {.vouched = TrueHeading(), .place = place_, .card = card_});
    for (const auto &output : outputs_)
        output->Send(sentences);
    lastShared_ = reading;
    emit Changed();
}

std::vector<const ShareOutput *> HeadingShare::Outputs() const {
    std::vector<const ShareOutput *> outputs;
    for (const OutputTarget &target : Targets())
        if (const ShareOutput *output = Output(target))
            outputs.push_back(output);
    return outputs;
}

int HeadingShare::ConnectedClients() const {
    int clients = 0;
    for (const auto &output : outputs_)
        clients += output->Clients();
    return clients;
}

} // namespace nmea
