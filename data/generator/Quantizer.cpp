#include "Quantizer.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace datagen {
namespace {

struct WeightedColour {
    QRgb rgb;
    long long count;
};

int channel(QRgb c, int axis) { return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c); }

// A box of the median cut: a run of colours and the channel along which it spreads most.
struct Box {
    std::vector<WeightedColour> colours;

    int range(int axis) const {
        int lo = 255, hi = 0;
        for (const auto &c : colours) {
            lo = std::min(lo, channel(c.rgb, axis));
            hi = std::max(hi, channel(c.rgb, axis));
        }
        return hi - lo;
    }
    int widestAxis() const {
        std::array<int, 3> r{range(0), range(1), range(2)};
        return int(std::max_element(r.begin(), r.end()) - r.begin());
    }
    QRgb average() const {
        long long sum[3] = {0, 0, 0}, total = 0;
        for (const auto &c : colours) {
            for (int a = 0; a < 3; ++a)
                sum[a] += channel(c.rgb, a) * c.count;
            total += c.count;
        }
        auto mean = [&](int a) { return int((sum[a] + total / 2) / total); };
        return qRgb(mean(0), mean(1), mean(2));
    }
};

// Splits a box at the weighted median of its widest channel.
std::pair<Box, Box> split(Box box) {
    const int axis = box.widestAxis();
    std::sort(box.colours.begin(), box.colours.end(), [axis](const auto &a, const auto &b) {
        const int ca = channel(a.rgb, axis), cb = channel(b.rgb, axis);
        return ca != cb ? ca < cb : a.rgb < b.rgb;
    });
    long long total = 0;
    for (const auto &c : box.colours)
        total += c.count;
    long long running = 0;
    std::size_t cut = 1;
    for (; cut < box.colours.size(); ++cut) {
        running += box.colours[cut - 1].count;
        if (running * 2 >= total)
            break;
    }
    cut = std::min(cut, box.colours.size() - 1);
    Box low, high;
    low.colours.assign(box.colours.begin(), box.colours.begin() + long(cut));
    high.colours.assign(box.colours.begin() + long(cut), box.colours.end());
    return {low, high};
}

int squaredDistance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

IndexedFrames quantizeFrames(const QList<QImage> &frames, QRgb reserved) {
    reserved |= 0xff000000u;
    std::map<QRgb, long long> histogram;
    QList<QImage> rgbFrames;
    for (const QImage &frame : frames) {
        rgbFrames.append(frame.convertToFormat(QImage::Format_RGB32));
        const QImage &rgb = rgbFrames.back();
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                if (line[x] != reserved)
                    ++histogram[line[x]];
        }
    }

    std::vector<Box> boxes;
    if (!histogram.empty()) {
        Box all;
        for (const auto &[rgb, count] : histogram)
            all.colours.push_back({rgb, count});
        boxes.push_back(std::move(all));
    }
    while (boxes.size() < 255) {
        // The box spread widest along any channel is cut next; single colours cannot be cut.
        auto widest = boxes.end();
        int widestRange = 0;
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            const int r = it->range(it->widestAxis());
            if (it->colours.size() > 1 && r > widestRange) {
                widestRange = r;
                widest = it;
            }
        }
        if (widest == boxes.end())
            break;
        auto [low, high] = split(std::move(*widest));
        *widest = std::move(low);
        boxes.push_back(std::move(high));
    }

    IndexedFrames result;
    result.palette.append(reserved);
    for (const Box &box : boxes)
        result.palette.append(box.average());
    const int used = int(result.palette.size());
    while (result.palette.size() < 256)
        result.palette.append(qRgb(0, 0, 0));

    std::unordered_map<QRgb, std::uint8_t> nearest;
    auto indexOf = [&](QRgb c) {
        if (auto it = nearest.find(c); it != nearest.end())
            return it->second;
        int best = 0;
        for (int i = 1; i < used; ++i)
            if (squaredDistance(c, result.palette[i]) < squaredDistance(c, result.palette[best]))
                best = i;
        return nearest[c] = static_cast<std::uint8_t>(best);
    };
    for (const QImage &rgb : rgbFrames) {
        std::vector<std::uint8_t> indices;
        indices.reserve(std::size_t(rgb.width() * rgb.height()));
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                indices.push_back(line[x] == reserved ? 0 : indexOf(line[x]));
        }
        result.frames.push_back(std::move(indices));
    }
    return result;
}

} // namespace datagen
