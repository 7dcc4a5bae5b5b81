// make_assets SOURCE_DIR OUT_DIR [--preview OUT.png]
// Builds the game's seven bitmaps from the text sources in SOURCE_DIR and
// copies the rectangle manifest beside them. Refuses to write anything when
// a rectangle the game cuts falls outside its sheet or shows nothing.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "art_painters.h"
#include "art_preview.h"
#include "art_setup_icons.h"
#include "art_sources.h"
#include "art_icon.h"
#include "bmp_file.h"

namespace fs = std::filesystem;

const PainterEntry PainterTable[] = {
    {"nebula_tile", PaintNebulaTile},       {"moon_ground", PaintMoonGround},
    {"dusk_tile", PaintDuskTile},           {"base_ground", PaintBaseGround},
    {"explosion_large", PaintExplosionLarge}, {"explosion_small", PaintExplosionSmall},
    {"star_streak", PaintStarStreak},       {"energy_gauge", PaintEnergyGauge},
    {"boss_beam", PaintBossBeam},           {"wave_shot", PaintWaveShot},
    {"laser_shot", PaintLaserShot},         {"blocks", PaintBlockSheet},
    {"chaser", PaintChaserFrames},          {"cruiser", PaintCruiser},
    {"boss_tracking", PaintBossTracking},   {"boss_attack", PaintBossAttack},
    {"font", PaintFont},
};
const int PainterCount = sizeof(PainterTable) / sizeof(PainterTable[0]);

static std::vector<Sheet> GSheets;

static Sheet* FindSheet(const std::string& name) {
    for (Sheet& s : GSheets)
        if (s.name == name) return &s;
    return nullptr;
}

static Painter FindPainter(const std::string& name) {
    for (int i = 0; i < PainterCount; ++i)
        if (name == PainterTable[i].name) return PainterTable[i].paint;
    return nullptr;
}

static int RunStep(const LayoutStep& st) {
    if (st.verb == "sheet") {
        GSheets.emplace_back();
        InitSheet(GSheets.back(), st.sheet, st.w, st.h, ClearIndex);
        return 1;
    }
    Sheet* s = FindSheet(st.sheet);
    if (!s) return 0;
    if (st.verb == "draw") {
        Painter p = FindPainter(st.what);
        if (!p) return 0;
        p(*s, Box{st.x, st.y, st.w, st.h});
        return 1;
    }
    auto it = GSprites.find(st.what);
    if (it == GSprites.end()) return 0;
    const Grid& g = it->second;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            uint8_t c = g.pixels[(size_t)y * g.width + x];
            if (c != ClearIndex) Plot(*s, st.x + x, st.y + y, c);
        }
    return 1;
}

// Every cut rectangle lies on its sheet and shows something; opaque ones
// (backgrounds, blocks, gauge, streak) must not hold the key colour, which
// an opaque blit would show as bright blue.
static int CheckRect(const SheetRect& r) {
    const Sheet* s = FindSheet(r.sheet);
    if (!s || r.left < 0 || r.top < 0 || r.right > s->width || r.bottom > s->height ||
        r.left >= r.right || r.top >= r.bottom)
        return 0;
    int visible = 0, clear = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            (PixelAt(*s, x, y) == ClearIndex ? clear : visible)++;
    return visible > 0 && (r.flags == 1 || clear == 0);
}

static int LoadSources(const fs::path& src) {
    if (!LoadPalette((src / "palette.txt").string())) return 0;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(src / "sprites"))
        if (e.path().extension() == ".txt") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files)
        if (!LoadSpriteFile(f.string())) return 0;
    return LoadGlyphFile((src / "font" / "glyphs.txt").string());
}

int main(int argc, char** argv) {
    std::string preview;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--preview") && i + 1 < argc) preview = argv[++i];
        else args.push_back(argv[i]);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_assets SOURCE_DIR OUT_DIR [--preview OUT.png]\n");
        return 2;
    }
    const fs::path src = args[0], out = args[1];
    std::vector<LayoutStep> steps;
    std::vector<SheetRect> rects;
    if (!LoadSources(src) || !LoadLayout((src / "layout.txt").string(), steps) ||
        !LoadRects((src / "sheet_rects.txt").string(), rects))
        return 1;
    for (const LayoutStep& st : steps)
        if (!RunStep(st)) {
            std::fprintf(stderr, "layout.txt:%d: unknown sheet, sprite or painter '%s'\n",
                         st.line, st.what.c_str());
            return 1;
        }
    int bad = 0;
    for (const SheetRect& r : rects)
        if (!CheckRect(r)) {
            std::fprintf(stderr, "sheet_rects.txt: %s (%d, %d, %d, %d) %s is off its sheet, empty or holey\n",
                         r.sheet.c_str(), r.left, r.top, r.right, r.bottom, r.label.c_str());
            ++bad;
        }
    if (bad) return 1;
    std::error_code ec;
    fs::create_directories(out, ec);
    for (const Sheet& s : GSheets)
        if (!WriteBitmap((out / s.name).string(), s, GPalette)) {
            std::fprintf(stderr, "cannot write %s\n", (out / s.name).string().c_str());
            return 1;
        }
    if (!WriteSetupIcons(out.string())) {
        std::fprintf(stderr, "cannot write the installer's icons\n");
        return 1;
    }
    if (!WriteIcon((out / "tzk.ico").string(), GSheets, GPalette)) return 1;
    fs::copy_file(src / "sheet_rects.txt", out / "sheet_rects.txt",
                  fs::copy_options::overwrite_existing, ec);
    if (ec) return 1;
    if (!preview.empty() && !WritePreview(preview, GSheets)) return 1;
    return 0;
}
