#include "nmea/OutputTarget.h"

#include "base/Language.h"

#include <algorithm>
#include <cctype>

#include <arpa/inet.h>
#include <netinet/in.h>

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

bool IsAddress(int family, const std::string &host) {
    unsigned char address[sizeof(in6_addr)];
    return ::inet_pton(family, host.c_str(), address) == 1;
}

bool IsHostName(std::string_view name) {
    if (name.ends_with('.'))
        name.remove_suffix(1); // a fully qualified name
    if (name.empty() || name.size() > 253)
        return false;
    std::string_view last;
    for (std::size_t at = 0; at <= name.size();) {
        const std::size_t dot = std::min(name.find('.', at), name.size());
        const std::string_view label = name.substr(at, dot - at);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-' ||
            !std::all_of(label.begin(), label.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_';
            }))
            return false;
        last = label;
        at = dot + 1;
    }
    // "1.2.3.4.5" or "999.1.1.1" is a mistyped address, not a name.
    return !std::all_of(last.begin(), last.end(),
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// "HOST:PORT" or "[IPV6]:PORT"; with `portAlone`, a bare "PORT" too (host left empty).
// `bracketed` tells whether the host was written in brackets.
bool SplitHostPort(std::string_view text, bool portAlone, std::string &host, bool &bracketed,
                   std::optional<std::uint16_t> &port) {
    std::string_view portText;
    bracketed = text.starts_with('[');
    if (bracketed) {
        const auto close = text.find(']');
        if (close == std::string_view::npos || text.substr(close + 1, 1) != ":")
            return false;
        host = std::string(text.substr(1, close - 1));
        portText = text.substr(close + 2);
    } else {
        const auto colon = text.find(':');
        if (colon == std::string_view::npos) {
            if (!portAlone)
                return false;
            portText = text;
        } else {
            host = std::string(text.substr(0, colon));
            portText = text.substr(colon + 1);
        }
    }
    port = ParsePort(portText);
    return port.has_value();
}

// The host's problem as written on the command line: brackets hold an IPv6 address and
// nothing else.
std::optional<std::string> WrittenHostProblem(OutputKind kind, const std::string &host,
                                              bool bracketed) {
    if (bracketed && !IsAddress(AF_INET6, host))
        return platform::Translated(
            "OutputTarget",
            QT_TRANSLATE_NOOP("OutputTarget", "entre crochets, une adresse IPv6 est attendue"));
    if (!bracketed && host.find(':') != std::string::npos)
        return platform::Translated(
            "OutputTarget",
            QT_TRANSLATE_NOOP("OutputTarget", "une adresse IPv6 s'écrit entre crochets"));
    return HostProblem(kind, host);
}

} // namespace

std::optional<std::string> HostProblem(OutputKind kind, std::string_view text) {
    const std::string host(text);
    if (host.empty())
        return platform::Translated("OutputTarget",
                                    QT_TRANSLATE_NOOP("OutputTarget", "adresse vide"));
    if (IsAddress(AF_INET, host) || IsAddress(AF_INET6, host))
        return std::nullopt;
    if (kind == OutputKind::Tcp) {
        if (host == "localhost")
            return std::nullopt;
        return platform::Translated(
            "OutputTarget",
            QT_TRANSLATE_NOOP("OutputTarget",
                              "le serveur TCP écoute sur une adresse IP ou sur localhost"));
    }
    if (IsHostName(host))
        return std::nullopt;
    return platform::Translated(
        "OutputTarget",
        QT_TRANSLATE_NOOP("OutputTarget", "ni une adresse IP ni un nom d'hôte valable"));
}

std::optional<OutputTarget> ParseOutputTarget(std::string_view text, std::string &error) {
    if (text == "pty")
        return OutputTarget{OutputKind::Pty, {}, 0};
    std::string host;
    bool bracketed = false;
    std::optional<std::uint16_t> port;
    if (text.starts_with("udp:")) {
        if (!SplitHostPort(text.substr(4), false, host, bracketed, port)) {
            error = platform::Translated(
                "OutputTarget",
                QT_TRANSLATE_NOOP("OutputTarget", "udp:HÔTE:PORT attendu (port de 1 à 65535)"));
            return std::nullopt;
        }
        if (const auto problem = WrittenHostProblem(OutputKind::Udp, host, bracketed)) {
            error = *problem;
            return std::nullopt;
        }
        return OutputTarget{OutputKind::Udp, host, *port};
    }
    if (text.starts_with("tcp:")) {
        if (!SplitHostPort(text.substr(4), true, host, bracketed, port)) {
            error = platform::Translated(
                "OutputTarget",
                QT_TRANSLATE_NOOP("OutputTarget",
                                  "tcp:[ADRESSE:]PORT attendu (port de 1 à 65535)"));
            return std::nullopt;
        }
        if (host.empty() && !bracketed)
            host = kDefaultTcpAddress;
        if (const auto problem = WrittenHostProblem(OutputKind::Tcp, host, bracketed)) {
            error = *problem;
            return std::nullopt;
        }
        return OutputTarget{OutputKind::Tcp, host, *port};
    }
    error = platform::Translated(
        "OutputTarget",
        QT_TRANSLATE_NOOP("OutputTarget", "udp:HÔTE:PORT, tcp:[ADRESSE:]PORT ou pty attendu"));
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
