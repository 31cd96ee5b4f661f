// The sizes that labels take for their texts, measured once per text and font: a label whose
// text changes many times a second (a heading shown in degrees) is given its size again
// without laying its text out to measure it each time.
#pragma once

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>

class QLabel;

namespace app {

class LabelSizes {
public:
    // Gives the label its text and the size that adjustSize() would give it.
    void SetText(QLabel &label, const QString &text);
    int Measured() const { return measured_; }

    // Texts kept per label at most; more start its collection again.
    static constexpr qsizetype Capacity = 1024;

private:
    struct Sizes {
        QFont font; // the font they were measured in
        QHash<QString, QSize> byText;
    };
    QHash<const QLabel *, Sizes> labels_;
    int measured_ = 0;
};

} // namespace app
