#include "widgets/BalloonHint.h"

#include "widgets/BalloonHintWindow.h"

#include <QCursor>

namespace widgets {

TBalloonHint::TBalloonHint(platform::TComponent *owner) : platform::TComponent(owner) {
    font_.SetName(QStringLiteral("MS Sans Serif"));
    font_.SetSize(8);
}

TBalloonHint::~TBalloonHint() { HideBalloon(); }

void TBalloonHint::ShowBalloon(const QString &text) {
    const QPoint cursor = QCursor::pos();
    ShowBalloon(cursor.x(), cursor.y(), text);
}

void TBalloonHint::ShowBalloon(int x, int y, const QString &text) {
    if (text.isEmpty())
        return;
    HideBalloon();
    if (!window_)
        window_ = std::make_unique<TBalloonWindow>();
    window_->SetHideIfMouseMove(hideIfMouseMove_);
    window_->SetHideIfMouseClick(hideIfMouseClick_);
    window_->SetTextFont(font_.ToQFont(), platform::ToQColor(font_.Color()));
    window_->SetBalloonColor(platform::ToQColor(color_));
    window_->SetAlign(align_);
    window_->ActivateBalloon(QPoint(x, y), text, shape_, textAlign_, divisionChar_);
}

void TBalloonHint::HideBalloon() {
    if (window_)
        window_->CloseBalloon();
}

} // namespace widgets
