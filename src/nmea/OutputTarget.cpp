#include "nmea/OutputTarget.h"

#include <algorithm>
#include <cctype>

namespace nmea {

namespace {

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int port = 0;
    for (const char c : text)
        port = port * 10 + (c - '0');
    if (port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

bool PlainHost(std::string_view host) {
    return !host.empty() && std::none_of(host.begin(), host.end(), [](char c) {
        return c == ':' || c == '[' || c == ']' ||
               std::isspace(static_cast<unsigned char>(c)) != 0 ||
               std::iscntrl(static_cast<unsigned char>(c)) != 0;
    });
}

// "HOST:PORT" or "[IPV6]:PORT"; with `portAlone`, a bare "PORT" too (host left empty).
bool SplitHostPort(std::string_view text, bool portAlone, std::string &host,
                   std::optional<std::uint16_t> &port) {
    std::string_view portText;
    if (text.starts_with('[')) {
        const auto close = text.find(']');
        if (close == std::string_view::npos || close == 1 || text.substr(close + 1, 1) != ":")
            return false;
        host = std::string(text.substr(1, close - 1));
        if (!std::all_of(host.begin(), host.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c)) != 0 || c == ':' || c == '.';
            }))
            return false;
        portText = text.substr(close + 2);
    } else {
        const auto colon = text.find(':');
        if (colon == std::string_view::npos) {
            if (!portAlone)
                return false;
            portText = text;
        } else {
            host = std::string(text.substr(0, colon));
            if (!PlainHost(host))
                return false;
            portText = text.substr(colon + 1);
        }
    }
    port = ParsePort(portText);
    return port.has_value();
}

} // namespace

std::optional<OutputTarget> ParseOutputTarget(std::string_view text, std::string &error) {
    if (text == "pty")
        return OutputTarget{OutputKind::Pty, {}, 0};
    std::string host;
    std::optional<std::uint16_t> port;
    if (text.starts_with("udp:")) {
        if (SplitHostPort(text.substr(4), false, host, port))
            return OutputTarget{OutputKind::Udp, host, *port};
        error = "udp:HÔTE:PORT attendu (port de 1 à 65535)";
        return std::nullopt;
    }
    if (text.starts_with("tcp:")) {
        if (SplitHostPort(text.substr(4), true, host, port))
            return OutputTarget{OutputKind::Tcp, host.empty() ? kDefaultTcpAddress : host, *port};
        error = "tcp:[ADRESSE:]PORT attendu (port de 1 à 65535)";
        return std::nullopt;
    }
    error = "udp:HÔTE:PORT, tcp:[ADRESSE:]PORT ou pty attendu";
    return std::nullopt;
}

std::string Describe(const OutputTarget &target) {
    switch (target.kind) {
    case OutputKind::Pty:
        return "pty";
    case OutputKind::Udp:
    case OutputKind::Tcp:
        break;
    }
    const bool ipv6 = target.host.find(':') != std::string::npos;
    return std::string(target.kind == OutputKind::Udp ? "udp:" : "tcp:") +
           (ipv6 ? "[" + target.host + "]" : target.host) + ":" + std::to_string(target.port);
}

} // namespace nmea
