#include "geomag/CoefficientFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <type_traits>
#include <utility>

namespace geomag {
namespace {

constexpr int MaxSupportedDegree = 100; // far above any geomagnetic model; bounds the tables

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos)
            return fields;
        const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
}

template <typename Number> std::optional<Number> ToNumber(std::string_view text) {
    Number value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return value;
}

bool AllNines(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    return fields.size() == 1 && fields[0].find_first_not_of('9') == std::string_view::npos;
}

struct Term {
    int n, m;
    double g, h, gDot, hDot;
    std::size_t line = 0;
};

std::optional<Term> ParseTerm(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != 6)
        return std::nullopt;
    const auto n = ToNumber<int>(fields[0]);
    const auto m = ToNumber<int>(fields[1]);
    double values[4];
    for (int i = 0; i < 4; ++i) {
        const auto value = ToNumber<double>(fields[2 + i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    if (!n || !m)
        return std::nullopt;
    return Term{*n, *m, values[0], values[1], values[2], values[3]};
}

} // namespace

std::optional<ModelCoefficients> ParseCoefficientFile(std::string_view text, std::string &error) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    const auto fail = [&error](std::size_t lineIndex, const std::string &reason) {
        error = "line " + std::to_string(lineIndex + 1) + ": " + reason;
        return std::nullopt;
    };

    ModelCoefficients model;
    const std::vector<std::string_view> header =
        lines.empty() ? std::vector<std::string_view>{} : Fields(lines[0]);
    const auto epoch = header.size() >= 2 ? ToNumber<double>(header[0]) : std::nullopt;
    if (!epoch)
        return fail(0, "the header is not \"EPOCH NAME DATE\"");
    model.epoch = *epoch;
    model.name = std::string(header[1]);

    std::vector<Term> terms;
    std::size_t i = 1;
    for (; i < lines.size() && !AllNines(lines[i]); ++i) {
        if (Fields(lines[i]).empty())
            continue;
        const std::optional<Term> term = ParseTerm(lines[i]);
        if (!term)
            return fail(i, "not a line \"n m g h g' h'\"");
        if (term->n < 1 || term->n > MaxSupportedDegree || term->m < 0 || term->m > term->n)
            return fail(i, "no term of degree " + std::to_string(term->n) + " and order " +
                               std::to_string(term->m));
        if (term->m == 0 && (term->h != 0 || term->hDot != 0))
            return fail(i, "a term of order 0 has no h");
        model.maxDegree = std::max(model.maxDegree, term->n);
        terms.push_back(*term);
        terms.back().line = i;
    }
    if (terms.empty())
        return fail(i, "no coefficients");
    const std::size_t end = i;
    for (++i; i < lines.size(); ++i)
        if (!Fields(lines[i]).empty() && !AllNines(lines[i]))
            return fail(i, "text after the closing line");
    i = end;

    const std::size_t size = ModelCoefficients::Index(model.maxDegree + 1, 0);
    for (std::vector<double> *table : {&model.g, &model.h, &model.gDot, &model.hDot})
        table->assign(size, 0.0);
    const auto name = [](int n, int m) { return std::to_string(n) + " " + std::to_string(m); };
    std::set<std::pair<int, int>> seen;
    for (const Term &term : terms) {
        if (!seen.insert({term.n, term.m}).second)
            return fail(term.line, "the term " + name(term.n, term.m) + " is given twice");
        const int index = ModelCoefficients::Index(term.n, term.m);
        model.g[index] = term.g;
        model.h[index] = term.h;
        model.gDot[index] = term.gDot;
        model.hDot[index] = term.hDot;
    }
    // Every order of every degree up to the highest one.
    for (int n = 1; n <= model.maxDegree; ++n)
        for (int m = 0; m <= n; ++m)
            if (!seen.contains({n, m}))
                return fail(i, "the term " + name(n, m) + " is missing");
    return model;
}

} // namespace geomag
