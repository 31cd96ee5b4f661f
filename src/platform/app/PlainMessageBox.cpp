#include "platform/app/PlainMessageBox.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

namespace platform {

namespace {
QStyle::StandardPixmap PixmapOf(PlainMessageBox::Icon icon) {
    switch (icon) {
    case PlainMessageBox::Icon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case PlainMessageBox::Icon::Critical:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}
} // namespace

PlainMessageBox::PlainMessageBox(Icon icon, const QString &title, const QString &text, bool yesNo,
                                 QWidget *parent)
    : QDialog(parent), text_(text) {
    setWindowTitle(title);
    setModal(true);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *picture = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(PixmapOf(icon), nullptr, this).pixmap(side, side));
    picture->setAlignment(Qt::AlignTop);
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(style()->styleHint(QStyle::SH_MessageBox_CenterButtons));
    auto addButton = [&](const QString &caption, QDialogButtonBox::ButtonRole role) {
        QPushButton *button = buttons->addButton(caption, role);
        connect(button, &QPushButton::clicked, this, [this, button] {
            clicked_ = button;
            accept();
        });
        buttons_ << button;
        return button;
    };
    if (yesNo) {
        yes_ = addButton(QCoreApplication::translate("MessageBoxes", "Oui"),
                         QDialogButtonBox::YesRole);
        addButton(QCoreApplication::translate("MessageBoxes", "Non"), QDialogButtonBox::NoRole);
        yes_->setDefault(true);
    } else {
        addButton(QCoreApplication::translate("MessageBoxes", "OK"), QDialogButtonBox::AcceptRole)
            ->setDefault(true);
    }

    auto *message = new QHBoxLayout;
    message->setSpacing(16);
    message->addWidget(picture);
    message->addWidget(label, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A box's text cannot be selected: the shortcut lets a user paste it in a report.
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            [this] { QGuiApplication::clipboard()->setText(CopiedText()); });
}

QString PlainMessageBox::CopiedText() const {
    const QString rule = QStringLiteral("---------------------------\n");
    QStringList captions;
    for (const QPushButton *button : buttons_)
        captions << button->text();
    return rule + windowTitle() + u'\n' + rule + text_ + u'\n' + rule +
           captions.join(QStringLiteral("   ")) + u'\n' + rule;
}

bool PlainMessageBox::AnsweredYes() const { return yes_ != nullptr && clicked_ == yes_; }

} // namespace platform
