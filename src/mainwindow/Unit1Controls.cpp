// The main window's controls: tool bar, compass panel, calibration panel, status bar,
// progress bar and the deferred quit and restart, placed as the window's layout fixes them.
#include "mainwindow/DeferredCall.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/Guarded.h"
#include "platform/app/InstallDir.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

constexpr int ClientWidth = 363;
constexpr int ClientHeight = 475;

QLabel *MakeCompassLabel(QWidget *parent) {
    auto *label = new QLabel(parent);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(9);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

} // namespace

void TForm1::CreateControls() {
    CreateMenus();
    CreateToolBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(MainMenu1->MenuBar());
    auto *client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    layout->addWidget(client);

    QToolBar *toolBar = ToolBar1->Widget();
    toolBar->setParent(client);
    toolBar->setGeometry(0, 0, ClientWidth, 26);
    toolBar->setIconSize(QSize(16, 16));

    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 40, 345, 401);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(5);
    Panel1->setAutoFillBackground(true);
    SetPanel1Colour(Qt::white);

    Image1 = new PictureBox(Panel1);
    Image1->setGeometry(16, 40, 313, 313);
    // The dial as the window first shows it, before any reading; a missing picture
    // leaves the area empty.
    Image1->SetPicture(QImage(platform::InstallDir::File(QStringLiteral("cercle5.bmp"))));
    Label10 = MakeCompassLabel(Panel1); // top left: the heading in degrees
    Label9 = MakeCompassLabel(Panel1);  // top right: the heading's direction
    Label8 = MakeCompassLabel(Panel1);  // bottom left: the needle's angle
    Label7 = MakeCompassLabel(Panel1);  // bottom right: the needle's direction

    Label5 = new QLabel(
        QCoreApplication::translate("TForm1", "Ventrose — boussole électronique RS-232"), Panel1);
    QFont notice(QStringLiteral("Times New Roman"));
    notice.setPointSize(9);
    notice.setItalic(true);
    Label5->setFont(notice);
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setGeometry(16, 362, 313, 24);

    // The calibration panel takes the compass panel's place while a calibration runs.
    CreateCalibrationPanel(client);

    CreateStatusBar();
    StatusBar1->setParent(client);
    StatusBar1->setGeometry(0, ClientHeight - 19, ClientWidth, 19);

    ProgressBar1 = new QProgressBar(client);
    ProgressBar1->setGeometry(208, 456, 89, 17);
    ProgressBar1->setRange(0, 5);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->raise();

    // Neither a held quit nor the link's restart runs inside a box: the box's answer, or
    // its closing, comes first.
    const auto noBoxOpen = [] {
        return platform::Application::Instance().Model().OpenBoxes() == 0;
    };
    heldQuit_ = new DeferredCall(this, noBoxOpen, [this] {
        if (!platform::Application::Instance().Terminated())
            Quittez1Click(this);
    });
    restartLink_ = new DeferredCall(
        this, [this, noBoxOpen] { return noBoxOpen() && !link_->ExchangeRunning(); },
        [this] { link_->RestartLink(); });

    ConnectLabelBalloons();
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new QWidget(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    for (int panel = 0; panel < kStatusPanelCount; ++panel) {
        auto *label = new QLabel(StatusBar1);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(2);
        statusPanels_[panel] = label;
    }
    PlaceStatusPanels(0);
}

void TForm1::PlaceStatusPanels(int deviationWidth) {
    const auto spans = StatusPanelSpans(ClientWidth, deviationWidth);
    for (int panel = 0; panel < kStatusPanelCount; ++panel) {
        QLabel *label = statusPanels_[panel];
        label->setGeometry(spans[panel].x, 1, std::max(spans[panel].width - 2, 0), 18);
        label->setVisible(spans[panel].width > 0);
    }
}

void TForm1::ShowCardStatus(const QString &text, const QString &toolTip) {
    QLabel *label = statusPanels_[static_cast<int>(StatusPanel::Deviation)];
    label->setText(text);
    label->setToolTip(toolTip);
    // The text, its indent on both sides, the frame and the gap between two panels.
    constexpr int kAround = 2 * 2 + 2 * 2 + 2;
    PlaceStatusPanels(text.isEmpty() ? 0 : label->fontMetrics().horizontalAdvance(text) + kAround);
}

QString TForm1::StatusText(StatusPanel panel) const {
    return statusPanels_[static_cast<int>(panel)]->text();
}

void TForm1::SetStatusText(StatusPanel panel, const QString &text) {
    statusPanels_[static_cast<int>(panel)]->setText(text);
}

void TForm1::ShowNotice(const QString &text) { SetStatusText(StatusPanel::Operation, text); }

// Right-hand labels keep their right edge on the dial's right edge as their texts change.
void TForm1::PlaceCompassLabels() {
    const int left = Image1->x();
    const int right = Image1->x() + Image1->width();
    Label10->move(left, 14);
    Label9->move(right - Label9->width(), 14);
    Label8->move(left, 366);
    Label7->move(right - Label7->width(), 366);
}

void TForm1::SetPanel1Colour(const QColor &colour) {
    QPalette palette = Panel1->palette();
    palette.setColor(QPalette::Window, colour);
    Panel1->setPalette(palette);
}

} // namespace app
