#include "dialogs/Unit10.h"

#include "dialogs/DialogControls.h"
#include "platform/app/Guarded.h"
#include "platform/app/InstallDir.h"
#include "platform/desktop/Shell.h"
#include "platform/ui/Canvas.h"
#include "widgets/ScrollingText.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace app {

const QString kAuthorWebAddress = QStringLiteral("https://www.ventrose.example/");
const QString kAuthorMailAddress = QStringLiteral("auteur@ventrose.example");
QString AuthorMailSubject() {
    return QCoreApplication::translate("TForm10", "Ventrose 1.0 : question à l'auteur");
}

namespace {

// Runs its handler when any mouse button goes down on the watched widget; the second press of
// a double click opens nothing more.
class MouseDownFilter : public QObject {
public:
    MouseDownFilter(QWidget *watched, std::function<void()> handler)
        : QObject(watched), handler_(platform::Guarded(std::move(handler))) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::MouseButtonPress)
            handler_();
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick)
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

QFont StyledFont(const QString &family, int characterHeight, platform::TFontStyles style) {
    platform::TFont font;
    font.SetName(family);
    font.SetHeight(-characterHeight);
    font.SetStyle(style);
    return font.ToQFont();
}

// A link: blue, bold and underlined, with the hand cursor.
QLabel *MakeLink(QWidget *parent, const QString &text, QPoint at) {
    QLabel *label = MakeLabel(parent, QString(), at);
    label->setFont(
        StyledFont(parent->font().family(), 11, platform::fsBold | platform::fsUnderline));
    label->setText(text);
    label->adjustSize();
    SetTextColour(label, platform::clBlue);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

// One line of the author notice across the panel.
QLabel *MakeNoticeLine(QFrame *panel, const QString &text, int top) {
    auto *label = new QLabel(text, panel);
    label->setFont(StyledFont(QStringLiteral("Times New Roman"), 19, platform::fsBold));
    SetTextColour(label, platform::clMaroon);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(0, top, panel->width(), 26);
    return label;
}

} // namespace

QString KiloBytesText(std::uint64_t bytes, const QLocale &locale) {
    // The "C" locale leaves its separator out unless told; the about box always groups.
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions().setFlag(QLocale::OmitGroupSeparator, false));
    const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    return grouped.toString(qulonglong(kilobytes)) + QCoreApplication::translate("TForm10", " Ko");
}

widgets::TScrollingText *MakeAboutScroller(QWidget *parent) {
    auto *scroller = new widgets::TScrollingText(parent);
    scroller->setGeometry(16, 80, 393, 185);
    scroller->SetDirection(widgets::tdUp);
    scroller->SetInterval(50);
    scroller->SetPicture(QImage(platform::InstallDir::File(QStringLiteral("apropos.bmp"))));
    scroller->SetPosition(276);
    scroller->SetText({QStringLiteral(" ")});
    scroller->SetTextVisible(false);
    return scroller;
}

TForm10::TForm10(MainWindowAccess &mainWindow)
    : TDialogForm(mainWindow, QCoreApplication::translate("TForm10", "A propos de..."), 426, 544,
                  Help::None) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 425, 81);
    Image1->setPixmap(QPixmap(platform::InstallDir::File(QStringLiteral("bandeau.bmp"))));
    ScrollingText1 = MakeAboutScroller(this);
    // The picture's top row lies on the banner's bottom one; the banner stays whole and the
    // picture slides under it.
    Image1->raise();
    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel1->setGeometry(8, 270, 409, 4);
    MakeAuthorPanel();
    MakeSystemGroup();
    BitBtn1 = MakeBitBtn(this, QCoreApplication::translate("TForm10", "&OK"),
                         QStringLiteral("btn_ok.bmp"), QRect(336, 510, 81, 27));
    SetDefaultButton(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, platform::Guarded([this] { BitBtn1Click(); }));
}

void TForm10::MakeAuthorPanel() {
    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 280, 409, 129);
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    QPalette panelColour = Panel1->palette();
    panelColour.setColor(QPalette::Window,
                         platform::ToQColor(platform::ColorToRGB(platform::clBtnHighlight)));
    Panel1->setPalette(panelColour);

    Label1 = MakeNoticeLine(
        Panel1, QCoreApplication::translate("TForm10", "Conception et programmation :"), 10);
    Label2 = MakeNoticeLine(
        Panel1, QCoreApplication::translate("TForm10", "l'équipe de développement Ventrose"), 36);
    Label13 =
        MakeLabel(Panel1, QCoreApplication::translate("TForm10", "Site web :"), QPoint(72, 80));
    Label3 = MakeLink(Panel1, kAuthorWebAddress, QPoint(140, 79));
    Label14 =
        MakeLabel(Panel1, QCoreApplication::translate("TForm10", "E-mail :"), QPoint(72, 102));
    Label12 = MakeLink(Panel1, kAuthorMailAddress, QPoint(140, 101));
    new MouseDownFilter(Label3, [this] { Label3MouseDown(); });
    new MouseDownFilter(Label12, [this] { Label12MouseDown(); });
}

void TForm10::MakeSystemGroup() {
    GroupBox1 = new QGroupBox(QCoreApplication::translate("TForm10", " Vos paramètres : "), this);
    GroupBox1->setGeometry(8, 416, 409, 88);
    const struct {
        QLabel **caption;
        QLabel **value;
        const char *text;
    } rows[] = {
        {&Label8, &Label4, QT_TRANSLATE_NOOP("TForm10", "Mémoire physique disponible : ")},
        {&Label9, &Label5, QT_TRANSLATE_NOOP("TForm10", "Ressources  du système :")},
        {&Label6, &Label10, QT_TRANSLATE_NOOP("TForm10", "Résolution écran :")},
        {&Label7, &Label11, QT_TRANSLATE_NOOP("TForm10", "Palette de couleurs :")},
    };
    int top = 20;
    for (const auto &row : rows) {
        *row.caption =
            MakeLabel(GroupBox1, QCoreApplication::translate("TForm10", row.text), QPoint(16, top));
        *row.value = MakeLabel(GroupBox1, QString(), QPoint(200, top));
        (*row.value)->resize(190, (*row.caption)->height());
        top += 16;
    }
}

void TForm10::FormActivate() {
    MainWindow().HideMainWindow();
    ScrollingText1->SetActive(true);
    ScrollingText1->SetPosition(2);
    MainWindow().PlayEffect(QStringLiteral("ID60.wav"));
    ShowSystemInformation();
}

void TForm10::ShowSystemInformation() {
    // The caption promises the memory still available, so that is what is shown.
    const platform::MemoryStatus memory = memoryStatus_();
    Label4->setText(KiloBytesText(memory.availablePhysical));
    Label5->setText(QStringLiteral("%1%").arg(memory.memoryLoad));
    const QSize screen = platform::ScreenSize();
    Label10->setText(QStringLiteral("%1 x %2").arg(screen.width()).arg(screen.height()));
    Label11->setText(
        QCoreApplication::translate("TForm10", "%1 bits").arg(platform::BitsPerPixel(this)));
}

void TForm10::BitBtn1Click() {
    ScrollingText1->SetActive(false);
    HideDialog();
    MainWindow().ShowMainWindow();
}

void TForm10::Label3MouseDown() { Shell().OpenAddress(kAuthorWebAddress); }

void TForm10::Label12MouseDown() {
    Shell().OpenAddress(platform::MailtoAddress(kAuthorMailAddress, AuthorMailSubject()));
}

platform::IShell &TForm10::Shell() const {
    static platform::DesktopShell desktop;
    return shell_ != nullptr ? *shell_ : desktop;
}

} // namespace app
