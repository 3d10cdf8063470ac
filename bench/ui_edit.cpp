// From a player's edit of a gem amount to every figure on screen updated and painted, with all
// eighteen slots filled.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

#include "data/Globals.h"
#include "ui/MainForm.h"

#include "FullConfiguration.h"

namespace {

void FillConfiguration(TMainForm& form)
{
    form.Config = gwbench::FullConfiguration();
    form.Equipped.fill(1);
    form.LoadArmorItem();
    form.LoadJewelryItem();
    form.RefreshAll();
}

void PressKey(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void BM_EditToScreen(benchmark::State& state)
{
    TMainForm form;
    FillConfiguration(form);
    form.show();
    QApplication::processEvents();
    QComboBox* amount = form.GemEffectAmount[0];
    amount->setFocus();
    QApplication::processEvents();
    bool up = amount->currentIndex() > 0;
    for (auto _ : state) {
        // One step of the amount list, as the arrow key makes it, then the repaint it causes.
        PressKey(amount, up ? Qt::Key_Up : Qt::Key_Down);
        QApplication::processEvents();
        up = !up;
    }
    benchmark::DoNotOptimize(form.TotalStats[0]->text());
}
BENCHMARK(BM_EditToScreen)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// The same edit without letting the window repaint: the share of the controller and the core.
void BM_EditWithoutPainting(benchmark::State& state)
{
    TMainForm form;
    FillConfiguration(form);
    QComboBox* amount = form.GemEffectAmount[0];
    bool up = amount->currentIndex() > 0;
    for (auto _ : state) {
        PressKey(amount, up ? Qt::Key_Up : Qt::Key_Down);
        up = !up;
    }
    benchmark::DoNotOptimize(form.TotalStats[0]->text());
}
BENCHMARK(BM_EditWithoutPainting)->Unit(benchmark::kMicrosecond);

} // namespace
