// The magnetic declination dialog through its real window and the activation model.
#include "DialogTestSupport.h"

#include "ShippedData.h"

#include "dialogs/Unit5.h"
#include "platform/app/Errors.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <memory>

namespace app::testing {
namespace {

const char *const West = "OUEST.BMP";
const char *const East = "EST.BMP";

class DeclinationDialogTest : public DialogTest {
protected:
    DeclinationDialogTest() {
        for (const char *name : {West, East})
            QFile::copy(QDir(testsupport::ShippedDataDir()).filePath(name),
                        installDir.filePath(name));
    }
    // A first opening with these slots.
    void Open(const char *range, const char *sign, const char *declination) {
        form = std::make_unique<TForm5>(main);
        main.settings.Set(settings::DeclinationRangeSlot, range);
        main.settings.Set(settings::DeclinationSignSlot, sign);
        main.settings.Set(settings::DeclinationSlot, declination);
        form->ShowOnTop();
    }
    std::string Slot(settings::Slot slot) const { return main.settings.Get(slot); }
    // The picture shown: none, or which of the installation folder's files.
    bool Shows(const char *name) const {
        const QImage shown = form->Image1->pixmap().toImage();
        return name == nullptr
                   ? shown.isNull()
                   : shown == QImage(installDir.filePath(name)).convertToFormat(shown.format());
    }

    std::unique_ptr<TForm5> form;
};

TEST_F(DeclinationDialogTest, FirstOpeningShowsTheSlotsAndRewritesAClampedDeclination) {
    const struct {
        const char *range, *sign, *declination;
        int upper, position;
        const char *stored; // DeclinationSlot afterwards
        const char *picture;
        const char *text;
    } cases[] = {
        {"5", "+", "7", 5, 5, "5", West, "Déclinaison magnétique : 5° OUEST soit : -5°"},
        {"10", "-", "6", 10, 6, "6", East, "Déclinaison magnétique  : 6° EST soit : +6°"},
        {"3", "x", "0", 3, 0, "0", nullptr, ""},
        // An upper end below the lower end is ignored: the bar keeps the one it had (10).
        {"-3", "+", "4", 10, 4, "4", West, "Déclinaison magnétique : 4° OUEST soit : -4°"},
        // The bar already stands at 0: no change, so the slot keeps its own text.
        {"7", "+", "00", 7, 0, "00", West, "Déclinaison magnétique : 0° OUEST soit : -0°"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.range) + " " + c.sign + " " + c.declination);
        Open(c.range, c.sign, c.declination);
        EXPECT_FALSE(main.isVisible());
        EXPECT_EQ(main.parametersChanged, 1);
        EXPECT_EQ(form->ComboBox1->count(), 4);
        EXPECT_EQ(form->Label4->text(), c.range);
        EXPECT_EQ(form->TrackBar1->maximum(), c.upper);
        EXPECT_EQ(form->TrackBar1->value(), c.position);
        EXPECT_EQ(Slot(settings::DeclinationSlot), c.stored);
        EXPECT_TRUE(Shows(c.picture));
        EXPECT_EQ(form->Label5->text(), QString::fromUtf8(c.text));
        form->BitBtn1->click();
        EXPECT_TRUE(main.isVisible());
    }
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join('\n').toStdString();
}

TEST_F(DeclinationDialogTest, PickingARangeMovesTheBarDownButTypingOneRaisesNothing) {
    Open("10", "+", "7");
    QLineEdit *field = form->ComboBox1->lineEdit();
    field->selectAll();
    QTest::keyClicks(field, "3");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(form->TrackBar1->maximum(), 10);
    EXPECT_EQ(Slot(settings::DeclinationSlot), "7");

    form->ComboBox1->setCurrentIndex(0);
    emit form->ComboBox1->activated(0);
    EXPECT_EQ(form->Label4->text(), "3");
    EXPECT_EQ(form->TrackBar1->value(), 3);
    EXPECT_EQ(Slot(settings::DeclinationSlot), "3");
    EXPECT_EQ(form->Label5->text(), "Déclinaison magnétique : 3° OUEST soit : -3°");
}

TEST_F(DeclinationDialogTest, ATypedRangeIsAWholeNumberFrom1To10OrRefusedAndTheOldOneStays) {
    // What is typed, and the range slot afterwards: "7", the old range, for a refusal, which
    // also keeps the dialog open.
    const std::pair<const char *, const char *> cases[] = {
        {"1", "1"},  {"10", "10"}, {"08", "8"},         {"0", "7"},    {"11", "7"},
        {"-3", "7"}, {"5.5", "7"}, {"1000000000", "7"}, {"5\n6", "7"}, {"", "7"}};
    for (const auto &[typed, stored] : cases) {
        boxes.shown.clear();
        Open("7", "+", "2");
        form->ComboBox1->setEditText(QString::fromUtf8(typed));
        form->BitBtn1->click();
        const bool refused = std::string(stored) == "7";
        EXPECT_EQ(Slot(settings::DeclinationRangeSlot), stored) << typed;
        EXPECT_EQ(boxes.shown.size(), refused ? 1 : 0) << typed;
        EXPECT_EQ(Active(), refused ? static_cast<const void *>(form.get()) : &main) << typed;
        EXPECT_EQ(form->ComboBox1->currentText(), refused ? "7" : typed) << typed;
    }
}

TEST_F(DeclinationDialogTest, EastIsStoredByOkAndTheCloseBoxAndReopeningRaisesNothing) {
    for (const bool byCloseBox : {false, true}) {
        Open("7", "+", "6");
        form->RadioButton2->click();
        EXPECT_EQ(form->Label5->text(), "Déclinaison magnétique  : 6° EST soit : +6°");
        EXPECT_TRUE(Shows(East));
        EXPECT_EQ(Slot(settings::DeclinationSignSlot), "+");
        if (byCloseBox)
            form->close();
        else
            form->BitBtn1->click();
        EXPECT_EQ(Slot(settings::DeclinationSignSlot), "-");
        EXPECT_EQ(Slot(settings::DeclinationRangeSlot), "7");
        EXPECT_EQ(Active(), &main);
    }
    // The same values in other words: only a notification would rewrite them.
    main.settings.Set(settings::DeclinationSlot, "06");
    form->Label5->clear();
    form->ShowOnTop();
    EXPECT_EQ(Slot(settings::DeclinationSlot), "06");
    EXPECT_EQ(form->Label5->text(), "");
}

TEST_F(DeclinationDialogTest, ActivationStopsAtABadSlotOrPictureAndLeavingShowsTheMainWindow) {
    const struct {
        const char *range, *declination, *missingPicture;
        QString message;
    } cases[] = {
        {"abc", "2", nullptr, platform::EConvertError::NotAnInteger("abc").Message()},
        {"5", "x", nullptr, platform::EConvertError::NotAnInteger("x").Message()},
        {"5", "9", West, platform::EFOpenError(installDir.filePath(West)).Message()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        boxes.shown.clear();
        if (c.missingPicture != nullptr)
            QFile::remove(installDir.filePath(c.missingPicture));
        Open(c.range, "+", c.declination);
        EXPECT_EQ(boxes.shown, QStringList{c.message});
        EXPECT_EQ(Slot(settings::DeclinationSlot), c.declination); // the bar was not set
        EXPECT_EQ(Active(), form.get());
        EXPECT_FALSE(main.isVisible());
        form->BitBtn1->click();
        EXPECT_EQ(Active(), &main);
        EXPECT_EQ(Slot(settings::DeclinationRangeSlot), c.range);
    }
}

} // namespace
} // namespace app::testing
