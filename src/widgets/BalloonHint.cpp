#include "widgets/BalloonHint.h"

#include "widgets/BalloonHintWindow.h"

#include <QCursor>

namespace widgets {

TBalloonHint::TBalloonHint(platform::TComponent *owner) : platform::TComponent(owner) {
    font_.SetName(QStringLiteral("MS Sans Serif"));
    font_.SetSize(8);
}

// The owned windows go with the component base, after this.
TBalloonHint::~TBalloonHint() { HideBalloon(); }

void TBalloonHint::ShowBalloon(const QString &text) {
    if (text.isEmpty())
        return;
    HideBalloon();
    // The replaced window is only ever closed by then, and nothing else holds it.
    delete window_;
    window_ = new TBalloonWindow(*this);
    window_->BalloonImage().Canvas().Font().Assign(font_);
    window_->SetColor(color_);
    const QPoint cursor = QCursor::pos();
    window_->SetAlign(align_);
    window_->ActivateBalloon(cursor, text, shape_, textAlign_, divisionChar_);
}

void TBalloonHint::HideBalloon() {
    if (window_)
        window_->CloseBalloon();
}

} // namespace widgets
