// The magnetic declination dialog through its real window and the activation model.
#include "DialogTestSupport.h"

#include "ShippedData.h"

#include "dialogs/Unit5.h"
#include "platform/Errors.h"

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

    void SetSlots(const char *range, const char *sign, const char *declination) {
        main.settings.Set(settings::DeclinationRangeSlot, range);
        main.settings.Set(settings::DeclinationSignSlot, sign);
        main.settings.Set(settings::DeclinationSlot, declination);
    }
    std::string Slot(settings::Slot slot) const { return main.settings.Get(slot); }
    // Whether the dialog shows that picture of the installation folder (nullptr: none).
    bool ShowsPicture(const char *name) const {
        const QImage shown = form->Image1->pixmap().toImage();
        if (name == nullptr)
            return shown.isNull();
        return shown.convertToFormat(QImage::Format_RGB32) ==
               QImage(installDir.filePath(name)).convertToFormat(QImage::Format_RGB32);
    }
    void ExpectLeftForTheMainWindow() const {
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(Active(), &main);
    }

    std::unique_ptr<TForm5> form = std::make_unique<TForm5>(main);
};

TEST_F(DeclinationDialogTest, FirstOpeningShowsTheSlotsAndRewritesAClampedDeclination) {
    const int designUpper = form->TrackBar1->maximum();
    const struct {
        const char *range, *sign, *declination;
        int upper; // -1: the bar keeps its upper end
        int position;
        const char *stored; // DeclinationSlot afterwards
        const char *picture;
        const char *text;
    } cases[] = {
        {"5", "+", "7", 5, 5, "5", West, "Déclinaison magnétique : 5° OUEST soit : -5°"},
        {"10", "-", "6", 10, 6, "6", East, "Déclinaison magnétique  : 6° EST soit : +6°"},
        // No side selected: no text, no picture.
        {"3", "x", "2", 3, 2, "2", nullptr, ""},
        // An upper end below the lower end is ignored; the list shows the text as it is.
        {"-3", "+", "4", -1, 4, "4", West, "Déclinaison magnétique : 4° OUEST soit : -4°"},
        // The bar already stands at 0: no change, so the slot keeps its own text.
        {"7", "+", "00", 7, 0, "00", West, "Déclinaison magnétique : 0° OUEST soit : -0°"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.range + std::string(" ") + c.sign + " " + c.declination);
        form = std::make_unique<TForm5>(main);
        SetSlots(c.range, c.sign, c.declination);
        main.parametersChanged = 0;
        form->ShowOnTop();

        EXPECT_EQ(Active(), form.get());
        EXPECT_FALSE(main.isVisible());
        EXPECT_EQ(main.parametersChanged, 1);
        ASSERT_EQ(form->ComboBox1->count(), 4);
        EXPECT_EQ(form->ComboBox1->itemText(0), "3");
        EXPECT_EQ(form->ComboBox1->itemText(3), "10");
        EXPECT_EQ(form->ComboBox1->currentText(), c.range);
        EXPECT_EQ(form->Label4->text(), c.range);
        EXPECT_EQ(form->TrackBar1->maximum(), c.upper < 0 ? designUpper : c.upper);
        EXPECT_EQ(form->TrackBar1->value(), c.position);
        EXPECT_EQ(Slot(settings::DeclinationSlot), c.stored);
        EXPECT_EQ(form->RadioButton1->isChecked(), c.picture == West);
        EXPECT_EQ(form->RadioButton2->isChecked(), c.picture == East);
        EXPECT_TRUE(ShowsPicture(c.picture));
        EXPECT_EQ(form->Label5->text(), QString::fromUtf8(c.text));
        form->BitBtn1->click();
        ExpectLeftForTheMainWindow();
    }
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join('\n').toStdString();
}

TEST_F(DeclinationDialogTest, PickingARangeMovesTheBarDownButTypingOneRaisesNothing) {
    SetSlots("10", "+", "7");
    form->ShowOnTop();
    ASSERT_EQ(form->TrackBar1->value(), 7);

    // Typed, confirmed and left: the field holds the text, nothing else follows it.
    QLineEdit *field = form->ComboBox1->lineEdit();
    field->selectAll();
    QTest::keyClicks(field, "3");
    QTest::keyClick(field, Qt::Key_Return);
    emit field->editingFinished();
    EXPECT_EQ(form->TrackBar1->maximum(), 10);
    EXPECT_EQ(form->Label4->text(), "10");
    EXPECT_EQ(Slot(settings::DeclinationSlot), "7");

    // Picked from the list.
    form->ComboBox1->setCurrentIndex(0);
    emit form->ComboBox1->activated(0);
    EXPECT_EQ(form->Label4->text(), "3");
    EXPECT_EQ(form->TrackBar1->maximum(), 3);
    EXPECT_EQ(form->TrackBar1->value(), 3);
    EXPECT_EQ(Slot(settings::DeclinationSlot), "3");
    EXPECT_EQ(form->Label5->text(), "Déclinaison magnétique : 3° OUEST soit : -3°");

    // A range that is in no list is stored as typed, and taken at the next opening; a tick
    // per degree would then take minutes to draw.
    EXPECT_EQ(form->TrackBar1->tickPosition(), QSlider::TicksBelow);
    field->selectAll();
    QTest::keyClicks(field, "1000000000");
    form->BitBtn1->click();
    EXPECT_EQ(Slot(settings::DeclinationRangeSlot), "1000000000");
    EXPECT_EQ(form->TrackBar1->maximum(), 3);
    form->ShowOnTop();
    EXPECT_EQ(form->TrackBar1->maximum(), 1000000000);
    EXPECT_EQ(form->TrackBar1->value(), 3);
    EXPECT_EQ(form->TrackBar1->tickPosition(), QSlider::NoTicks);
}

TEST_F(DeclinationDialogTest, EastAtSixIsStoredByOkAndByTheCloseBox) {
    const std::function<void(TForm5 &)> waysOut[] = {[](TForm5 &f) { f.BitBtn1->click(); },
                                                     [](TForm5 &f) { f.close(); }};
    for (const auto &leave : waysOut) {
        form = std::make_unique<TForm5>(main);
        SetSlots("7", "+", "6");
        const int mainActivations = main.activations;
        form->ShowOnTop();
        ASSERT_TRUE(form->RadioButton1->isChecked());

        form->RadioButton2->click();
        EXPECT_EQ(form->Label5->text(), "Déclinaison magnétique  : 6° EST soit : +6°");
        EXPECT_TRUE(ShowsPicture(East));
        EXPECT_EQ(Slot(settings::DeclinationSignSlot), "+"); // not before leaving
        // The bar writes its slot at every move.
        form->TrackBar1->setValue(2);
        EXPECT_EQ(Slot(settings::DeclinationSlot), "2");
        EXPECT_EQ(form->Label5->text(), "Déclinaison magnétique  : 2° EST soit : +2°");

        leave(*form);
        EXPECT_EQ(Slot(settings::DeclinationSignSlot), "-");
        EXPECT_EQ(Slot(settings::DeclinationRangeSlot), "7");
        ExpectLeftForTheMainWindow();
        EXPECT_EQ(main.activations, mainActivations + 1);
        EXPECT_EQ(main.parametersChanged, 1);
    }
    form->ShowOnTop();
    form->BitBtn2->click();
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].second, "rub8");
}

TEST_F(DeclinationDialogTest, ReopeningWithUnchangedSlotsRaisesNoNotification) {
    SetSlots("5", "+", "3");
    form->ShowOnTop();
    form->BitBtn1->click();
    // Same values in other words: only a notification would rewrite them.
    main.settings.Set(settings::DeclinationSlot, "03");
    form->Label5->setText("inchangé");

    form->ShowOnTop();
    EXPECT_EQ(Slot(settings::DeclinationSlot), "03");
    EXPECT_EQ(form->Label5->text(), "inchangé");
    EXPECT_TRUE(ShowsPicture(West));
}

TEST_F(DeclinationDialogTest, ActivationStopsAtABadSlotOrPictureAndLeavingShowsTheMainWindow) {
    const struct {
        const char *range, *declination;
        const char *missingPicture;
        QString message;
        const char *stored; // DeclinationSlot afterwards: the position step never ran
    } cases[] = {
        {"abc", "2", nullptr, platform::EConvertError::NotAnInteger("abc").Message(), "2"},
        {"5", "x", nullptr, platform::EConvertError::NotAnInteger("x").Message(), "x"},
        {"5", "9", West, platform::EFOpenError(installDir.filePath(West)).Message(), "9"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        form = std::make_unique<TForm5>(main);
        boxes.shown.clear();
        SetSlots(c.range, "+", c.declination);
        if (c.missingPicture != nullptr)
            QFile::remove(installDir.filePath(c.missingPicture));
        form->ShowOnTop();

        EXPECT_EQ(boxes.shown, QStringList{c.message});
        EXPECT_EQ(form->Label4->text(), c.range);
        EXPECT_EQ(Slot(settings::DeclinationSlot), c.stored);
        EXPECT_EQ(Active(), form.get());
        EXPECT_FALSE(main.isVisible());

        form->BitBtn1->click();
        ExpectLeftForTheMainWindow();
        EXPECT_EQ(Slot(settings::DeclinationRangeSlot), c.range);
    }
}

} // namespace
} // namespace app::testing
