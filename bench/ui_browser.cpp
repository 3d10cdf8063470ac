// The saved-item browser with a large library: opening it on a realm directory that holds
// 10,000 files of the slot's kind beside 10,000 others, and previewing one file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "io/ItemRecord.h"
#include "ui/LoadDropSrc.h"

namespace {

namespace fs = std::filesystem;

// One library for the whole run, removed at exit.
struct Library {
    fs::path root;
    fs::path realmDir;
    Library()
    {
        root = fs::temp_directory_path() / ("gw-bench-browser-" + std::to_string(::getpid()));
        realmDir = root / "items" / "albion";
        fs::create_directories(realmDir);
        gw::GWItem item;
        item.PlayerMade = 0;
        item.EffectType = {1, 2, 5, 6};
        item.EffectAmount = {15, 8, 50, 3};
        for (int i = 0; i < 10000; ++i) {
            item.Name = "Drop " + std::to_string(i);
            const std::string record = gw::ItemRecordText(item, "albion");
            std::ofstream(realmDir / (item.Name + ".chest"), std::ios::binary) << record;
            std::ofstream(realmDir / (item.Name + ".arms"), std::ios::binary) << record;
        }
    }
    ~Library()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

const Library& TheLibrary()
{
    static const Library library;
    return library;
}

void BM_BrowserOpen10k(benchmark::State& state)
{
    const Library& library = TheLibrary();
    TItemBrowser browser;
    for (auto _ : state) {
        browser.Prepare(library.realmDir, "*.chest", "albion");
        browser.show();
        QApplication::processEvents(); // the list lays out and paints its first page
        browser.hide();
        benchmark::DoNotOptimize(browser.FileList->count());
    }
    if (browser.FileList->count() != 10000)
        state.SkipWithError("the list does not hold the 10,000 files of the mask");
}
BENCHMARK(BM_BrowserOpen10k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BrowserPreview(benchmark::State& state)
{
    const Library& library = TheLibrary();
    TItemBrowser browser;
    browser.Prepare(library.realmDir, "*.chest", "albion");
    browser.show();
    QApplication::processEvents();
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 2; // a selection change is what previews a file
        browser.FileList->setCurrentRow(row);
        QApplication::processEvents();
    }
    browser.hide();
}
BENCHMARK(BM_BrowserPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
