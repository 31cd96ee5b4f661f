#include "program/Forms.h"

#include "dialogs/HeadingShareDialog.h"
#include "dialogs/Unit10.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit5.h"
#include "dialogs/Unit6.h"
#include "dialogs/Unit7.h"
#include "dialogs/Unit8.h"
#include "dialogs/Unit9.h"
#include "logwindow/HeadingLog.h"
#include "mainwindow/Unit1.h"
#include "program/CardWiring.h"
#include "program/HeadingOutputWiring.h"
#include "program/SwingWiring.h"
#include "swing/SwingRecord.h"

namespace app {

Forms::Forms() = default;
Forms::~Forms() { Destroy(); }

void Forms::Create() {
    form1_ = std::make_unique<TForm1>();
    form2_ = std::make_unique<TForm2>(*form1_);
    form3_ = std::make_unique<TForm3>(*form1_);
    form4_ = std::make_unique<TForm4>(*form1_);
    form5_ = std::make_unique<TForm5>(*form1_);
    form6_ = std::make_unique<TForm6>();
    form7_ = std::make_unique<TForm7>(*form1_);
    form8_ = std::make_unique<TForm8>(*form1_);
    form9_ = std::make_unique<TForm9>(*form1_);
    form10_ = std::make_unique<TForm10>(*form1_);
    output_ = std::make_unique<HeadingOutputWiring>(*form1_, *form5_);
    shareForm_ = std::make_unique<THeadingShareForm>(*form1_, output_->Share());
    form1_->SetDialogs({form2_.get(), form3_.get(), form4_.get(), form5_.get(), form6_.get(),
                        form7_.get(), form8_.get(), form9_.get(), form10_.get(), shareForm_.get()});
    log_ = std::make_unique<HeadingLog>(form1_->Readings());
    form1_->Journalducap1->OnClick = platform::TNotifyEvent::FromFunction(
        [log = log_.get()](platform::TObject *) { log->ShowWindow(); });
    // The card in force applies from the start (before a recording the command line asks
    // for begins), and again whenever the swing dialog saves another one.
    swing_ = std::make_unique<SwingWiring>(
        *form1_, output_->Share(), [this] { ApplyCard(*this, swing::CardSettings::LoadOwn()); });
    ApplyCard(*this, swing::CardSettings::LoadOwn());
}

void Forms::Destroy() {
    swing_.reset(); // it listens to the main window's readings
    log_.reset();   // so does the log
    if (form1_)
        form1_->SetDialogs({});
    shareForm_.reset();
    output_.reset();
    form10_.reset();
    form9_.reset();
    form8_.reset();
    form7_.reset();
    form6_.reset();
    form5_.reset();
    form4_.reset();
    form3_.reset();
    form2_.reset();
    form1_.reset();
}

} // namespace app
