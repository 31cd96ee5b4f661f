// Where the heading goes: a UDP destination, a TCP server's listening address, or the
// pseudo-terminal; and their written form "udp:HOST:PORT", "tcp:[ADDR:]PORT", "pty", as
// the command line takes them. No Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nmea {

enum class OutputKind { Udp, Tcp, Pty };

struct OutputTarget {
    OutputKind kind = OutputKind::Udp;
    std::string host; // UDP: the destination; TCP: the address listened on; empty for pty
    std::uint16_t port = 0;

    bool operator==(const OutputTarget &) const = default;
};

// The default port of NMEA 0183 over a network, and the TCP server's default address.
inline constexpr std::uint16_t kDefaultPort = 10110;
inline constexpr const char *kDefaultTcpAddress = "127.0.0.1";

// Reads "udp:HOST:PORT", "tcp:PORT", "tcp:ADDR:PORT" or "pty". An IPv6 address is written in
// brackets ("udp:[::1]:10110"). Nothing when the text is none of these; `error` then says
// which form was expected, in the program's language, without a final full stop (the caller quotes
// the text, escaped as its place needs).
std::optional<OutputTarget> ParseOutputTarget(std::string_view text, std::string &error);

// Why a host cannot be the host of an output of this kind, in the program's language without a
// final full stop; nothing when it can. UDP takes an IP address or a host name (letters,
// digits, "-" and "_" in dot-separated labels, the last one not all digits); a TCP server
// listens on an IP address or "localhost" only. IPv6 addresses are given here without
// their brackets. Nothing is looked up.
std::optional<std::string> HostProblem(OutputKind kind, std::string_view host);

// The written form of a target, as ParseOutputTarget reads it.
std::string Describe(const OutputTarget &target);

} // namespace nmea
