// A full repaint of each page with the Qt back buffer and the cached images, against
// decoding the page's three JPEG files; and building the main window's shape.
#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "platform/qt_canvas.h"
#include "skin/mask_region.h"
#include "skin/page_painter.h"
#include "skin/skin_layout.h"

namespace zrv {
namespace {

const std::string kSkins = std::string(ZRV_SOURCE_DIR) + "/data/skins";

void EnsureApp() {
    static QGuiApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "zrv_bench_gui";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

// Every rule busy: hover, pressed states, all bars, slider, recording, labels.
PaintInputs BusyInputs(int page, Size maskSize) {
    PaintInputs in;
    in.currentPage = page;
    in.profile = FactoryProfile;
    in.profile.DPI_SET = {11, 11, 11, 11};
    in.profile.FIRE_TIME = 200;
    in.profile.MACRO_MODE2 = 1;
    in.currentProfile = 3;
    in.mainHover = 27;
    in.advancedHover = 12;
    in.colorHover = 4;
    in.recordingActive = true;
    in.downCount = 12;
    in.upCount = 11;
    in.currentMacroRepeatMode = 1;
    in.ledPreviewColor = 0;
    in.uiLanguage = 1;
    in.maskSize = maskSize;
    in.appliedDpiCodes = {0x04, 0x06, 0x09, 0x0D};
    return in;
}

void BM_PaintPage(benchmark::State& state) {
    EnsureApp();
    const int page = static_cast<int>(state.range(0));
    const int language = static_cast<int>(state.range(1));
    auto images = MakeQtImageSource(kSkins);
    SkinLayout layout;
    LoadSkinLayout(kSkins, language, layout, {[](std::string_view) {}, [] {}});
    const Size mask = images->LoadSkinImage(kMainMaskImage)->GetSize();
    PaintInputs in = BusyInputs(page, mask);
    in.uiLanguage = language;
    QtCanvas canvas;
    PaintPage(*images, canvas, in, layout);  // fills the cache
    const int decodes = images->DecodeCount();
    for (auto _ : state) {
        PaintPage(*images, canvas, in, layout);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
    if (images->DecodeCount() != decodes) state.SkipWithError("images decoded again");
}
BENCHMARK(BM_PaintPage)
    ->ArgsProduct({{0, 1, 2}, {1, 0}})
    ->ArgNames({"page", "language"})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_DecodePageImages(benchmark::State& state) {
    EnsureApp();
    const StateImageNames& names = kPageImages[state.range(0)];
    for (auto _ : state)
        for (std::string_view name : {names.normal, names.over, names.down})
            benchmark::DoNotOptimize(DecodeSkinImageFile(kSkins + "/" + std::string(name)));
}
BENCHMARK(BM_DecodePageImages)->DenseRange(0, 2)->ArgName("page")->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_BuildMainMaskRegion(benchmark::State& state) {
    EnsureApp();
    const auto mask = DecodeSkinImageFile(kSkins + "/" + std::string(kMainMaskImage));
    SkinLayout layout;
    LoadSkinLayout(kSkins, 1, layout, {[](std::string_view) {}, [] {}});
    for (auto _ : state) {
        const Region shape = BuildMaskRegion(*mask);
        const Region repaint = BuildRepaintRegion(shape, layout);
        benchmark::DoNotOptimize(repaint.Area());
    }
}
BENCHMARK(BM_BuildMainMaskRegion)->Unit(benchmark::kMicrosecond);

void BM_MaskRegionToQRegion(benchmark::State& state) {
    EnsureApp();
    const auto mask = DecodeSkinImageFile(kSkins + "/" + std::string(kMainMaskImage));
    const Region shape = BuildMaskRegion(*mask);
    for (auto _ : state) benchmark::DoNotOptimize(ToQRegion(shape).rectCount());
    state.counters["rects"] = static_cast<double>(shape.ToRects().size());
}
BENCHMARK(BM_MaskRegionToQRegion)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zrv
