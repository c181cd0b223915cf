#include "lookupcontroller.h"

#include "picturebox.h"
#include "recordstore.h"

#include <QLabel>

LookupController::LookupController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    connect(c.Data1, &RecordStore::currentChanged, this, &LookupController::showCurrentRecord);
}

// The bound controls take the new record in field order; each runs its change handling before the
// next is written: Label7's when its caption changes, Picture1's (through its changed signal) for
// every picture delivered.
void LookupController::showCurrentRecord()
{
    const CharacterRecord &record = c.Data1->current();
    *c.Label10 = record.hz;
    *c.Label2kk = record.hz;
    QLabel *strokeCount = c.record.Label7;
    if (strokeCount->text() != record.BH) {
        strokeCount->setText(record.BH);
        strokeCount->adjustSize();
        Label7_Change();
    }
    c.record.Label3->setText(record.PY);
    c.record.Label3->adjustSize();
    c.record.Picture1->setPhoto(record.photo);
}

void LookupController::Text5_Change()
{
}

void LookupController::Text5_Click()
{
}

void LookupController::Text5_KeyUp()
{
}

void LookupController::Text6_Change()
{
}

void LookupController::Text6_Click()
{
}

void LookupController::Text6_KeyUp()
{
}

void LookupController::Label7_Change()
{
}

void LookupController::Picture1_Change()
{
}

void LookupController::Timer1_Timer()
{
}
