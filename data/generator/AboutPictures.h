// The about box's pictures: the banner at its top (425 x 81: the product name and version in
// white italic letters on blue) and the picture that scrolls under it (396 x 684: the
// conditions of use, a disclaimer and a drawing of the compass module with its LCD display).
#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <vector>

namespace datagen {

constexpr int kBannerWidth = 425;
constexpr int kBannerHeight = 81;
constexpr int kAboutScrollWidth = 396;
constexpr int kAboutScrollHeight = 684;
// The scrolling picture's background: the about box's own white, kept exact in 256 colours.
constexpr QRgb kAboutScrollBackground = 0xFFFFFFFF;

// The terms of use as the scrolling picture shows them, section by section. The package's
// copyright file states the same terms, word for word.
struct AboutTermsSection {
    QString heading;
    QStringList paragraphs;
};
std::vector<AboutTermsSection> aboutTerms();

QImage makeAboutBanner();
QImage makeAboutScroll();

} // namespace datagen
