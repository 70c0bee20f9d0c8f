// The almanac and ephemeris windows with vm8140-sim behind a stand-in main window: round trips,
// the confirmation, the progress dialog's rules, failures and closing while the receiver is
// silent.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QPushButton>
#include <fstream>
#include <sstream>

#include "tests/support/test_files.h"
#include "tests/tools/transfer/window_test_support.h"
#include "tools/transfer/acquisition_window.h"
#include "tools/transfer/transmission_window.h"

namespace orbex {
namespace {

using orbex::test::Slurp;

TEST(TransferWindowTest, AlmanacRoundTripThroughTheWindows) {
    testing::SimReceiver receiver;
    ASSERT_TRUE(receiver.open());
    testing::StandInMainWindow main(&receiver);

    QPointer<CAcquisitionWnd> acquisition =
        new CAcquisitionWnd(QStringLiteral("Acquire Almanac Data from Receiver"), kTransferAlmanac);
    acquisition->show();
    ASSERT_EQ(main.Boxes().size(), 1u);
    EXPECT_EQ(main.Boxes()[0].text, "Create/Update Almanac Data.\nPress OK to Proceed");
    EXPECT_EQ(main.Boxes()[0].caption, "Acquire Almanac/Ephemris Data from Receiver");
    EXPECT_EQ(main.Boxes()[0].defaultButton, MessageResult::Cancel);
    ASSERT_NE(acquisition->progressDialog(), nullptr);
    EXPECT_EQ(acquisition->progressDialog()->text(), "Acquiring Almanac Data...");
    bool grabbed = false;
    ASSERT_TRUE(main.RunUntil(acquisition, [&] {
        if (CProgressDialog* dialog = acquisition->progressDialog();
            dialog && dialog->pos() > 0 && dialog->pos() < 100 && !grabbed) {
            testing::SaveScreenshot(dialog, "transfer-progress.png");
            grabbed = true;
        }
        return acquisition->viewer() != nullptr;
    }));
    const QStringList shown = acquisition->viewer()->listedLines();
    ASSERT_EQ(shown.size(), 64);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("ALM01,1,")));
    EXPECT_FALSE(shown[0].contains(QLatin1Char('\r')));
    EXPECT_EQ(acquisition->viewer()->fileLine(),
              QStringLiteral("File:") + QString::fromStdString(acquisition->path()));
    acquisition->viewer()->accept();
    ASSERT_TRUE(main.RunUntil(nullptr, [&] { return acquisition.isNull(); }));
    EXPECT_EQ(main.Sent(), std::vector<std::string>{"@AMO\r\n"});

    // Change the first line (its checksum too) and send the file back.
    const std::filesystem::path file = main.home() / "AL.DAT";
    std::string stored = Slurp(file);
    stored.replace(0, 5, "ALM02");  // 'A' ^ ... : the NMEA checksum changes with "1" -> "2"
    const std::size_t star = stored.find('*');
    unsigned checksum = 0;
    for (std::size_t i = 0; i < star; ++i) {
        checksum ^= static_cast<unsigned char>(stored[i]);
    }
    char text[3];
    std::snprintf(text, sizeof text, "%02X", checksum);
    stored.replace(star + 1, 2, text);
    std::ofstream(file, std::ios::binary) << stored;

    QPointer<CTransmissionWnd> transmission =
        new CTransmissionWnd(QStringLiteral("Transmit Almanac Data to Receiver"), kTransferAlmanac);
    transmission->show();
    ASSERT_TRUE(main.RunUntil(transmission, [&] {
        CProgressDialog* dialog = transmission->progressDialog();
        return dialog && dialog->cancelButtonText() == QStringLiteral("Completed");
    }));
    EXPECT_EQ(transmission->progressDialog()->text(), "Receiver Initialization Completed");
    EXPECT_EQ(transmission->progressDialog()->pos(), 100);
    ASSERT_TRUE(main.RunUntil(transmission, [&] { return transmission.isNull(); }));
    EXPECT_EQ(main.Sent().size(), 1u + 1 + 64);

    acquisition = new CAcquisitionWnd(QStringLiteral("Acquire"), kTransferAlmanac);
    ASSERT_TRUE(main.RunUntil(acquisition, [&] { return acquisition->viewer() != nullptr; }));
    EXPECT_EQ(Slurp(file), stored);
    EXPECT_TRUE(acquisition->viewer()->listedLines()[0].startsWith(QStringLiteral("ALM02")));
    delete acquisition.data();               // the user closes the viewer and the window
    EXPECT_TRUE(main.Boxes().size() == 2u);  // the two confirmations, no failure
}

TEST(TransferWindowTest, DeclinedConfirmationSendsNothingAndCreatesNoFile) {
    testing::StandInMainWindow main(nullptr);
    main.Answer(MessageResult::Cancel);
    QPointer<CAcquisitionWnd> window =
        new CAcquisitionWnd(QStringLiteral("Acquire"), kTransferEphemerisAcquire);
    window->show();
    EXPECT_EQ(main.Boxes().at(0).text, "Create/Update Ephemeris Data.\nPress OK to Proceed");
    EXPECT_FALSE(window->confirmed());
    ASSERT_TRUE(main.RunUntil(nullptr, [&] { return window.isNull(); }));
    EXPECT_TRUE(main.Sent().empty());
    EXPECT_FALSE(std::filesystem::exists(main.home() / "EP.DAT"));
    EXPECT_TRUE(main.windowClosed());
}

TEST(TransferWindowTest, ProgressDialogClampsNamesTheModeAndDisablesTheMainWindow) {
    QMainWindow mainWindow;
    mainWindow.show();
    int cancels = 0;
    {
        CProgressDialog dialog([&] { ++cancels; }, QStringLiteral("Own title"), QStringLiteral("t"),
                               kTransferAlmanacEphemerisTransmit);
        EXPECT_EQ(dialog.windowTitle(), "Transmit Almanac and Ephemeris Data to Receiver");
        EXPECT_FALSE(mainWindow.isEnabled());
        dialog.SetPos(150);
        EXPECT_EQ(dialog.pos(), 100);
        dialog.SetPos(-3);
        EXPECT_EQ(dialog.pos(), 0);
        dialog.reject();  // "Cancel"
        EXPECT_EQ(cancels, 1);
        EXPECT_TRUE(mainWindow.isEnabled());
    }
    EXPECT_EQ(CProgressDialog::TitleFor(QStringLiteral("Own"), kTransferEphemerisTransmit),
              "Transmit Ephemeris Data to Receiver");
    EXPECT_EQ(CProgressDialog::TitleFor(QStringLiteral("Own"), kTransferAlmanac), "Own");
}

TEST(TransferWindowTest, SilentReceiverNeverHoldsTheCloseAndFailuresShowTheirMessage) {
    testing::StandInMainWindow main(nullptr);
    // The receiver never answers: closing the window cancels the waiting worker at once.
    QPointer<CTransmissionWnd> waiting =
        new CTransmissionWnd(QStringLiteral("Transmit"), kTransferAlmanac);
    waiting->OnReceiverLine("$GPGGA,1\r\n");
    ASSERT_TRUE(main.RunUntil(nullptr, [&] { return waiting->workerRunning(); }));
    const auto started = std::chrono::steady_clock::now();
    delete waiting.data();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_TRUE(main.Boxes().empty());  // a cancel shows no message

    // An unwritable output path: result 3 and its message.
    WriteString("ALMANAC", "FILEPATH", "/proc/no-such-folder/AL.DAT");
    QPointer<CAcquisitionWnd> failing = new CAcquisitionWnd(QStringLiteral("A"), kTransferAlmanac);
    for (int i = 0; i < 2; ++i) {
        failing->OnReceiverLine("$GPGGA,1\r\n");
    }
    ASSERT_TRUE(main.RunUntil(nullptr, [&] { return failing.isNull(); }));
    ASSERT_EQ(main.Boxes().size(), 2u);
    EXPECT_EQ(main.Boxes()[1].text, "ALMANAC data ファイルが開けません\nエラーコード:2");
    EXPECT_EQ(main.Boxes()[1].icon, MessageIcon::Error);
    EXPECT_TRUE(main.Sent().empty());
}

}  // namespace
}  // namespace orbex
