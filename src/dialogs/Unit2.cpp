#include "dialogs/Unit2.h"

#include "base/EscapedText.h"
#include "platform/app/Errors.h"
#include "platform/app/Guarded.h"
#include "platform/app/InstallDir.h"
#include "serial/Devices.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QShowEvent>
#include <QSocketNotifier>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/stat.h>

namespace app {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDeviceRole = Qt::UserRole + 1;

// Device paths are the system's bytes, UTF-8 or not: the items keep them as bytes, and
// they are shown with whatever is not printable UTF-8 escaped (a Latin-1 é as \xe9), so
// that the link "&OK" writes is exactly the path discovered or made by hand.
QByteArray PathData(const std::string &path) { return QByteArray::fromStdString(path); }
std::string PathOf(const QVariant &data) { return data.toByteArray().toStdString(); }
QString Shown(const std::string &text) {
    return QString::fromStdString(platform::EscapeUnprintable(text));
}

std::string InstallPath() { return QFile::encodeName(platform::InstallDir::Path()).toStdString(); }

// A device path as the dialog names it: /dev/ttyUSB0 is "ttyUSB0".
QString ShortName(const std::string &device) {
    QString name = Shown(device);
    if (name.startsWith(QStringLiteral("/dev/")))
        name.remove(0, 5);
    return name;
}

// One row of the devices frame: the name, where it leads, and the devices to choose from.
QComboBox *MakeChoice(QGroupBox *group, int y) {
    auto *combo = new QComboBox(group);
    combo->setGeometry(142, y, 208, 22);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QLabel *MakeRowText(QGroupBox *group, QComboBox *combo, int x, int width, const QString &text) {
    auto *label = new QLabel(text, group);
    label->setGeometry(x, combo->y(), width, combo->height());
    return label;
}

// What a thing in the way is, for the user.
QString KindOf(const std::string &path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0)
        return QCoreApplication::translate("TForm2", "un élément");
    if (S_ISDIR(status.st_mode))
        return QCoreApplication::translate("TForm2", "un dossier");
    if (S_ISREG(status.st_mode))
        return QCoreApplication::translate("TForm2", "un fichier");
    return QCoreApplication::translate("TForm2", "un élément qui n'est pas un lien symbolique");
}

QString LinkFailure(const char *port, const std::string &target,
                    const serial::PortLinkResult &result) {
    const QString folder = platform::InstallDir::Path();
    const std::string inTheWay = result.inTheWay.substr(result.inTheWay.find_last_of('/') + 1);
    if (result.error == EEXIST && inTheWay == port)
        return QCoreApplication::translate(
                   "TForm2", "%1 dans le dossier d'installation %2 n'est pas un lien "
                             "symbolique :\nil est laissé tel quel, et %1 ne peut pas mener "
                             "à %3.")
            .arg(QLatin1String(port), folder, Shown(target));
    if (result.error == EEXIST && !inTheWay.empty())
        return QCoreApplication::translate(
                   "TForm2", "Impossible de faire mener %1 à %2 :\nle nom « %3 » du dossier "
                             "d'installation %4,\nqui sert à préparer le lien, est pris par "
                             "%5.\nIl est laissé tel quel : supprimez-le ou renommez-le, puis "
                             "recommencez.")
            .arg(QLatin1String(port), Shown(target), Shown(inTheWay), folder,
                 KindOf(result.inTheWay));
    return QCoreApplication::translate(
               "TForm2", "Impossible de faire mener %1 à %2 dans le dossier d'installation "
                         "%3 (%4).")
        .arg(QLatin1String(port), Shown(target), folder,
             QString::fromLocal8Bit(std::strerror(result.error)));
}

} // namespace

TOptionPairLayout TForm2::Layout() {
    return {
        .caption = QCoreApplication::translate("TForm2", "Port série RS232"),
        .client = QSize(561, 112),
        .groupTitle = QCoreApplication::translate("TForm2", " Sélection du port série : "),
        .group = QRect(8, 4, 177, 65),
        .text1 = QStringLiteral("COM 1"),
        .text2 = QStringLiteral("COM2"),
        .option1 = QPoint(24, 34),
        .option2 = QPoint(104, 34),
        .helpButton = QRect(8, 77, 81, 27),
        .okButton = QRect(104, 77, 81, 27),
        .binding = BindOptionPair(&settings::SettingsView::Port, &settings::SettingsView::SetPort,
                                  settings::PortChoice::COM1, settings::PortChoice::COM2),
        .helpTopic = QStringLiteral("rub2"),
    };
}

TForm2::TForm2(MainWindowAccess &mainWindow) : TOptionPairForm(mainWindow, Layout()) {
    GroupBox2 = new QGroupBox(QCoreApplication::translate("TForm2", " Périphériques : "), this);
    GroupBox2->setGeometry(193, 4, 360, 100);
    ComboBox1 = MakeChoice(GroupBox2, 26);
    Label5 =
        MakeRowText(GroupBox2, ComboBox1, 10, 44, QCoreApplication::translate("TForm2", "COM&1 :"));
    Label3 = MakeRowText(GroupBox2, ComboBox1, 56, 82, QString());
    ComboBox2 = MakeChoice(GroupBox2, 62);
    Label6 =
        MakeRowText(GroupBox2, ComboBox2, 10, 44, QCoreApplication::translate("TForm2", "COM&2 :"));
    Label4 = MakeRowText(GroupBox2, ComboBox2, 56, 82, QString());
    Label5->setBuddy(ComboBox1);
    Label6->setBuddy(ComboBox2);
}

TForm2::~TForm2() = default;

TForm2::Row TForm2::RowOf(int index) const {
    // Names of the table are string literals, so their data ends with a NUL.
    const char *port = serial::kPortNames[index].name.data();
    return index == 0 ? Row{port, Label3, ComboBox1} : Row{port, Label4, ComboBox2};
}

namespace {

// Says where a name leads: the device's short name, or "absent".
void ShowWhereItLeads(QLabel *label, const std::string &target,
                      const std::optional<std::string> &device) {
    const QString text =
        device ? ShortName(*device) : QCoreApplication::translate("TForm2", "absent");
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideLeft, label->width()));
    label->setToolTip(Shown(target) +
                      (device ? QString() : QCoreApplication::translate("TForm2", " : absent")));
}

void AddChoice(QComboBox *combo, const QString &text, const std::string &path,
               const std::string &device, int at) {
    combo->insertItem(at, text);
    combo->setItemData(at, PathData(path), kPathRole);
    combo->setItemData(at, PathData(device), kDeviceRole);
    combo->setItemData(at, Shown(path), Qt::ToolTipRole);
}

// Offers the devices present, selecting the one the name leads to; where it leads is
// offered first when it is none of them, so that "&OK" keeps it.
int FillChoice(QComboBox *combo, const std::vector<serial::SerialPortInfo> &ports,
               const std::string &target, const std::optional<std::string> &device) {
    combo->clear();
    int current = -1;
    for (const serial::SerialPortInfo &port : ports) {
        const QString text =
            port.description.empty()
                ? Shown(port.device)
                : QStringLiteral("%1 (%2)").arg(Shown(port.device), Shown(port.description));
        if (port.path == target || (device && port.device == *device))
            current = combo->count();
        AddChoice(combo, text, port.path, port.device, combo->count());
    }
    if (current >= 0)
        return current;
    // A stable name is long: its middle gives way so that "(absent)" stays in sight.
    const QString note = device ? QString() : QCoreApplication::translate("TForm2", " (absent)");
    QStyleOptionComboBox frame;
    frame.initFrom(combo);
    const int field =
        combo->style()
            ->subControlRect(QStyle::CC_ComboBox, &frame, QStyle::SC_ComboBoxEditField, combo)
            .width();
    const int room = field - 8 - combo->fontMetrics().horizontalAdvance(note);
    AddChoice(combo, combo->fontMetrics().elidedText(Shown(target), Qt::ElideMiddle, room) + note,
              target, device.value_or(std::string()), 0);
    return 0;
}

} // namespace

void TForm2::ShowDevices(bool keepChoices) {
    const std::vector<serial::SerialPortInfo> ports = serial::ListSerialPorts(root_);
    for (int index = 0; index < 2; ++index) {
        const Row row = RowOf(index);
        const std::string target = serial::PortTarget(InstallPath(), row.port);
        const std::optional<std::string> device = serial::DeviceBehind(root_, target);
        ShowWhereItLeads(row.leadsTo, target, device);
        const QVariant kept = row.choice->currentData(kPathRole);
        const int current = FillChoice(row.choice, ports, target, device);
        const int keptIndex = keepChoices ? row.choice->findData(kept, kPathRole) : -1;
        row.choice->setCurrentIndex(keptIndex >= 0 ? keptIndex : current);
    }
}

void TForm2::StoreControls() {
    for (int index = 0; index < 2; ++index) {
        const Row row = RowOf(index);
        const std::string chosen = PathOf(row.choice->currentData(kPathRole));
        const std::string chosenDevice = PathOf(row.choice->currentData(kDeviceRole));
        const std::string target = serial::PortTarget(InstallPath(), row.port);
        const std::optional<std::string> device = serial::DeviceBehind(root_, target);
        if (chosen.empty() || chosen == target || (device && *device == chosenDevice))
            continue;
        if (const serial::PortLinkResult result =
                serial::WritePortLink(InstallPath(), row.port, chosen);
            result.error != 0)
            throw platform::Exception(LinkFailure(row.port, chosen, result));
    }
    TOptionPairForm::StoreControls();
}

void TForm2::DevicesChanged() {
    if (watcher_ && watcher_->TakeChanges())
        ShowDevices(true);
}

void TForm2::showEvent(QShowEvent *event) {
    TOptionPairForm::showEvent(event);
    if (!watcher_) {
        watcher_ = std::make_unique<serial::PortWatcher>(root_);
        if (watcher_->Descriptor() >= 0) {
            notifier_ = new QSocketNotifier(watcher_->Descriptor(), QSocketNotifier::Read, this);
            connect(notifier_, &QSocketNotifier::activated, this,
                    platform::Guarded([this] { DevicesChanged(); }));
        }
    }
    // Opening the dialog starts from where the names lead; a window brought back from the
    // task bar keeps the choices made.
    ShowDevices(event->spontaneous());
}

void TForm2::hideEvent(QHideEvent *event) {
    if (!event->spontaneous()) {
        delete std::exchange(notifier_, nullptr);
        watcher_.reset();
    }
    TOptionPairForm::hideEvent(event);
}

} // namespace app
