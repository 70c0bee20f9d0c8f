#include "app/port_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "link/network_address.h"
#include "link/port_list.h"

namespace orbex {

namespace {

QComboBox* DropDown(QWidget* parent, int id) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::number(id));
    return box;
}

QCheckBox* Check(QWidget* parent, int id, const char* label) {
    auto* box = new QCheckBox(QString::fromLatin1(label), parent);
    box->setObjectName(QString::number(id));
    return box;
}

QLabel* Label(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

// A list's selection, or the default when nothing is selected.
std::int32_t Selected(const QComboBox* box, std::int32_t fallback) {
    return box->currentIndex() >= 0 ? box->currentIndex() : fallback;
}

}  // namespace

CPortSettingsDialog::CPortSettingsDialog(QWidget* parent, const PortSettings& settings,
                                         const std::string& address)
    : QDialog(parent), initial_(settings) {
    setWindowTitle(QStringLiteral("Configure COM port"));
    port_ = DropDown(this, kPortList);
    baud_ = DropDown(this, kBaudList);
    parity_ = DropDown(this, kParityList);
    dataBits_ = DropDown(this, kDataBitList);
    stopBits_ = DropDown(this, kStopBitList);
    dsr_ = Check(this, kDsrCheck, "DSR/DTR");
    rts_ = Check(this, kRtsCheck, "RTS/CTS");
    xon_ = Check(this, kXonCheck, "XON/XOFF");

    address_ = new QLineEdit(this);
    address_->setObjectName(QString::number(kAddressEdit));
    address_->setPlaceholderText(QStringLiteral("tcp://HOST:PORT or rfc2217://HOST:PORT"));

    auto* form = new QFormLayout;
    form->addRow(Label("COM(&P)", port_), port_);
    form->addRow(Label("Address(&N)", address_), address_);
    form->addRow(Label("Baud Rate(&S)", baud_), baud_);
    form->addRow(Label("Parity(&I)", parity_), parity_);
    form->addRow(Label("Data Bit(&D)", dataBits_), dataBits_);
    form->addRow(Label("Stop Bit(&T)", stopBits_), stopBits_);

    auto* flow = new QGroupBox(QStringLiteral("Flow Control(&F)"));
    auto* flowLayout = new QVBoxLayout(flow);
    flowLayout->addWidget(dsr_);
    flowLayout->addWidget(rts_);
    flowLayout->addWidget(xon_);

    ok_ = new QPushButton(QStringLiteral("OK"));
    ok_->setObjectName(QStringLiteral("1"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("2"));
    auto* defaults = new QPushButton(QStringLiteral("Default(&R)"));
    defaults->setObjectName(QString::number(kDefaultButton));
    auto* list = new QPushButton(QStringLiteral("List(&L)...."));
    list->setObjectName(QString::number(kListButton));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    buttons->addWidget(defaults);
    buttons->addWidget(list);
    pace_ = DropDown(this, kPaceList);
    pace_->addItems({QStringLiteral("Fast"), QStringLiteral("As recorded"), QStringLiteral("x10")});
    pace_->setToolTip(QStringLiteral("Replay pace of the chosen file"));
    buttons->addWidget(pace_);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(flow);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(buttons);
    // The file chosen with "List(&L)....", which OK makes Connect replay; hidden until then.
    replayName_ = new QLabel(this);
    replayName_->setObjectName(QStringLiteral("replayFile"));
    replayName_->setVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(replayName_);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, [this] { RestoreDefaults(); });
    connect(list, &QPushButton::clicked, this, [this] { ChooseReplay(); });

    choose_ = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), QString(), nullptr,
                                            QFileDialog::ReadOnly);
    };
    Fill(settings);
    address_->setText(QString::fromStdString(address));
    connect(address_, &QLineEdit::textChanged, this, [this] { AddressEdited(); });
    AddressEdited();
}

std::string CPortSettingsDialog::address() const {
    const std::string text = address_->text().trimmed().toStdString();
    std::string error;
    return ParseNetworkAddress(text, error) ? text : std::string();
}

// OK needs somewhere to connect: a serial port present or a good address. A bench with only
// network receivers gets the value lists when an address is typed (RFC 2217 sets them).
void CPortSettingsDialog::AddressEdited() {
    const bool typed = !address().empty();
    if (typed && baud_->count() == 0) {
        FillValues(initial_);
    }
    ok_->setEnabled(portsPresent_ || typed);
}

void CPortSettingsDialog::Fill(const PortSettings& settings) {
    const std::vector<std::string> ports = EnumeratePorts();
    portsPresent_ = !ports.empty();
    if (ports.empty()) {
        ok_->setEnabled(false);
        return;
    }
    for (const std::string& name : ports) {
        port_->addItem(QString::fromStdString(name));
    }
    port_->setCurrentIndex(settings.portIndex < port_->count() ? settings.portIndex : -1);
    FillValues(settings);
}

void CPortSettingsDialog::FillValues(const PortSettings& settings) {
    for (const char* text : kDataBitTexts) {
        dataBits_->addItem(QString::fromLatin1(text));
    }
    dataBits_->setCurrentIndex(settings.dataBits);
    for (const char* text : kStopBitTexts) {
        stopBits_->addItem(QString::fromLatin1(text));
    }
    stopBits_->setCurrentIndex(settings.stopBits);
    for (const char* text : kParityTexts) {
        parity_->addItem(QString::fromLatin1(text));
    }
    parity_->setCurrentIndex(settings.parity);
    for (std::uint32_t rate : kBaudRates) {
        baud_->addItem(QString::number(rate));
    }
    baud_->setCurrentIndex(settings.speed);
    dsr_->setChecked(settings.flowDsr != 0);
    rts_->setChecked(settings.flowRts != 0);
    xon_->setChecked(settings.flowXon != 0);
}

void CPortSettingsDialog::RestoreDefaults() {
    const PortSettings defaults;
    port_->setCurrentIndex(port_->count() > 0 ? 0 : -1);
    dataBits_->setCurrentIndex(dataBits_->count() > 0 ? defaults.dataBits : -1);
    stopBits_->setCurrentIndex(stopBits_->count() > 0 ? defaults.stopBits : -1);
    parity_->setCurrentIndex(parity_->count() > 0 ? defaults.parity : -1);
    baud_->setCurrentIndex(baud_->count() > 0 ? defaults.speed : -1);
    dsr_->setChecked(false);
    rts_->setChecked(false);
    xon_->setChecked(true);
}

ReplayPace CPortSettingsDialog::replayPace() const {
    return static_cast<ReplayPace>(std::max(0, pace_->currentIndex()));
}

void CPortSettingsDialog::SetReplayPace(ReplayPace pace) {
    pace_->setCurrentIndex(static_cast<int>(pace));
}

void CPortSettingsDialog::ChooseReplay() {
    QString path = choose_ ? choose_(this) : QString();
    if (path.isEmpty()) {
        return;
    }
    replayPath_ = path;
    replayName_->setText(QStringLiteral("Replay: %1").arg(QFileInfo(path).fileName()));
    replayName_->setToolTip(path);
    replayName_->setVisible(true);
}

PortSettings CPortSettingsDialog::settings() const {
    const PortSettings defaults;
    PortSettings result;
    result.portIndex = Selected(port_, 0);
    result.dataBits = Selected(dataBits_, defaults.dataBits);
    result.stopBits = Selected(stopBits_, defaults.stopBits);
    result.parity = Selected(parity_, defaults.parity);
    result.speed = Selected(baud_, defaults.speed);
    result.flowDsr = dsr_->isChecked() ? 1 : 0;
    result.flowRts = rts_->isChecked() ? 1 : 0;
    result.flowXon = xon_->isChecked() ? 1 : 0;
    return result;
}

}  // namespace orbex
