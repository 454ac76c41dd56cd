// Starting with a notes file of many notes: the note store reads the file and a widget is made for
// every note (BM_MakeNotes), and the whole start of the main form up to its first presented frame
// (BM_StartToFirstFrame), on the fake platform at 1920 x 1040. "heap_per_note" is what the heap
// grew by per note while the notes were made; the time of a note is read against the floor
// measured in the same run (a memcpy of 8 MiB).
//
//   ./build/bench/notes_start --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstddef>
#include <memory>

#include "FakeHostWindow.h"
#include "FakePlatform.h"
#include "uDesktopTakeNote.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "ufrmMarovia.h"
#include "vgAniThread.h"
#include "vgBackground.h"

namespace {

FakePlatform& Fake() {
    return static_cast<FakePlatform&>(Platform());
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// An installation whose seven note pictures are paper-sized (200 x 220) with a see-through edge,
// as the installed ones, and whose notes file holds `count` notes spread over the screen.
class NotesInstallation {
public:
    explicit NotesInstallation(int count) : FPaths(FFolder.path()) {
        PathInfo = &FPaths;
        for (int n = 1; n <= TDesktopTakeNote::SkinCount; ++n) {
            QImage picture(200, 220, QImage::Format_ARGB32);
            picture.fill(QColor::fromHsv((n - 1) * 50, 160, 250));
            for (int x = 0; x < 200; ++x) picture.setPixel(x, 0, 0);
            picture.save(FPaths.TakeNoteImagePath() + QString::number(n) + QStringLiteral(".Png"), "PNG");
        }
        QFile file(FPaths.TakeNoteConfigFile());
        file.open(QIODevice::WriteOnly);
        file.write("<?xml version=\"1.0\"?>\n<TakeNotes>\n");
        for (int i = 1; i <= count; ++i)
            file.write(QStringLiteral(
                           "<TakeNote ID=\"%1\" BackImage=\"%2.png\" Content=\"便签 %1 的内容&#10;第二行\" "
                           "RemindTime=\"0\" IsHide=\"%5\" PositonX=\"%3\" PositonY=\"%4\" "
                           "FontName=\"宋体\" FontSize=\"12\" FontStyle=\"0\" FontColor=\"0\"/>\n")
                           .arg(i)
                           .arg(i % 7 + 1)
                           .arg((i * 37) % 1700)
                           .arg((i * 53) % 800)
                           .arg(i % 50 == 0 ? "true" : "false")
                           .toUtf8());
        file.write("</TakeNotes>\n");
        file.close();
        file.open(QIODevice::ReadOnly);
        FNotes = file.readAll();
    }
    ~NotesInstallation() { PathInfo = nullptr; }
    NotesInstallation(const NotesInstallation&) = delete;
    NotesInstallation& operator=(const NotesInstallation&) = delete;

    // Every end of the program writes the notes back; the next start reads the same file again.
    void RestoreNotesFile() const {
        QFile file(FPaths.TakeNoteConfigFile());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(FNotes);
    }

private:
    QTemporaryDir FFolder;
    TPathInfo FPaths;
    QByteArray FNotes;
};

int NoteCount(TvgVisualObject& root) {
    int count = 0;
    for (TvgObject* child : root.ChildList()) count += qobject_cast<TDesktopTakeNote*>(child) != nullptr;
    return count;
}

void BM_MakeNotes(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    NotesInstallation install(count);
    double grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto root = std::make_unique<TvgBackground>();
        root->SetBounds(0, 0, 1920, 1040);
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        auto manage = std::make_unique<TMaroviaManage>(root.get());
        state.PauseTiming();
        grown = static_cast<double>(HeapInUse() - before);
        if (NoteCount(*root) != count) state.SkipWithError("not every note got its widget");
        manage.reset();
        root.reset();
        install.RestoreNotesFile();
        state.ResumeTiming();
    }
    state.counters["heap_per_note"] = grown / count;
    state.counters["time_per_note"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MakeNotes)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_StartToFirstFrame(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    NotesInstallation install(count);
    Fake().SetWorkArea(QRect(0, 0, 1920, 1040));
    Fake().SetScreenSize(QSize(1920, 1080));
    double grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        auto form = std::make_unique<TfrmMarovia>();
        form->Show();
        FakeHostWindow* window = Fake().HostWindows().front();
        for (int ms = 0; ms < 1000 && window->PresentedFrames() == 0; ++ms) Fake().Advance(1);
        state.PauseTiming();
        grown = static_cast<double>(HeapInUse() - before);
        if (window->PresentedFrames() == 0) state.SkipWithError("no frame was presented");
        if (NoteCount(*form->VGRoot()) != count) state.SkipWithError("not every note got its widget");
        form.reset();
        TvgAniThread::FreeInstance();
        install.RestoreNotesFile();
        state.ResumeTiming();
    }
    state.counters["heap_per_note"] = grown / count;
    state.counters["time_per_note"] =
        benchmark::Counter(static_cast<double>(count),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StartToFirstFrame)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
