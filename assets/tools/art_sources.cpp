#include "art_sources.h"

#include <cstdio>
#include <fstream>
#include <sstream>

std::map<std::string, Grid> GSprites;
std::map<int, Glyph> GGlyphs;

static int Fail(const std::string& path, int line, const std::string& why) {
    std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), line, why.c_str());
    return 0;
}

// A line without its comment and trailing blanks.
static std::string Clean(const std::string& s) {
    std::string t = s.substr(0, s.find('#'));
    while (!t.empty() && (t.back() == ' ' || t.back() == '\r' || t.back() == '\t')) t.pop_back();
    return t;
}

int LoadPalette(const std::string& path) {
    std::ifstream in(path);
    if (!in) return Fail(path, 0, "cannot open");
    bool seen[256] = {};
    std::string raw;
    int line = 0, count = 0;
    while (std::getline(in, raw)) {
        ++line;
        std::istringstream ss(Clean(raw));
        std::string first;
        if (!(ss >> first)) continue;
        if (first == "ramp") {
            Ramp r;
            if (!(ss >> r.name >> r.first >> r.count)) return Fail(path, line, "bad ramp");
            GPalette.ramps.push_back(r);
            continue;
        }
        int index = std::stoi(first), r, g, b;
        if (!(ss >> r >> g >> b) || index < 0 || index > 255 || seen[index])
            return Fail(path, line, "bad or repeated entry");
        seen[index] = true;
        GPalette.entries[index] = {(uint8_t)r, (uint8_t)g, (uint8_t)b};
        ++count;
    }
    if (count != 256) return Fail(path, line, "need all 256 entries");
    const Colour& k = GPalette.entries[ClearIndex];
    if (k.r != 26 || k.g != 3 || k.b != 255) return Fail(path, 0, "entry 1 must be RGB(26, 3, 255)");
    return 1;
}

// Legend line: "key C clear", "key C INDEX" or "key C RAMP STEP".
static int ParseKey(std::istringstream& ss, int legend[256]) {
    std::string c, a;
    if (!(ss >> c >> a) || c.size() != 1) return 0;
    int value;
    if (a == "clear") {
        value = ClearIndex;
    } else if (a[0] >= '0' && a[0] <= '9') {
        value = std::stoi(a);
    } else {
        int k;
        if (!(ss >> k)) return 0;
        value = RampIndex(a, k);
    }
    if (value < 0 || value > 255) return 0;
    legend[(unsigned char)c[0]] = value;
    return 1;
}

int LoadSpriteFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) return Fail(path, 0, "cannot open");
    int legend[256];
    for (int& v : legend) v = -1;
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        std::istringstream ss(Clean(raw));
        std::string verb;
        if (!(ss >> verb)) continue;
        if (verb == "key") {
            if (!ParseKey(ss, legend)) return Fail(path, line, "bad key");
            continue;
        }
        std::string name;
        Grid g;
        if (verb != "sprite" || !(ss >> name >> g.width >> g.height))
            return Fail(path, line, "expected key or sprite");
        for (int y = 0; y < g.height; ++y) {
            if (!std::getline(in, raw)) return Fail(path, line, "grid ends early");
            ++line;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            if ((int)raw.size() != g.width) return Fail(path, line, "row is not " + std::to_string(g.width) + " wide");
            for (char ch : raw) {
                int v = legend[(unsigned char)ch];
                if (v < 0) return Fail(path, line, std::string("no key for '") + ch + "'");
                g.pixels.push_back((uint8_t)v);
            }
        }
        GSprites[name] = g;
    }
    return 1;
}

// "char X" (or "code N" for characters awkward in the file), then rows of
// '#' ink and '.' paper, all the same width.
int LoadGlyphFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) return Fail(path, 0, "cannot open");
    std::string raw;
    int line = 0, code = -1;
    while (std::getline(in, raw)) {
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.rfind("char ", 0) == 0 && raw.size() == 6) { code = (unsigned char)raw[5]; GGlyphs[code] = {}; continue; }
        if (raw.rfind("code ", 0) == 0) { code = std::stoi(raw.substr(5)); GGlyphs[code] = {}; continue; }
        if (raw.empty() || raw[0] == ';') continue;
        if (code < 0) return Fail(path, line, "row before char");
        Glyph& g = GGlyphs[code];
        if (g.width == 0) g.width = (int)raw.size();
        if ((int)raw.size() != g.width) return Fail(path, line, "ragged glyph row");
        for (char ch : raw) {
            if (ch != '#' && ch != '.') return Fail(path, line, "glyph rows use '#' and '.'");
            g.ink.push_back(ch == '#');
        }
        ++g.height;
    }
    return 1;
}

// Calls parse(words, line) for every line that is not blank after comments
// are cut; parse returns 0 to stop with its own message.
template <class Parse>
static int ForEachLine(const std::string& path, Parse parse) {
    std::ifstream in(path);
    if (!in) return Fail(path, 0, "cannot open");
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        std::istringstream ss(Clean(raw));
        if (ss.peek() == std::char_traits<char>::eof()) continue;
        if (!parse(ss, line)) return 0;
    }
    return 1;
}

int LoadLayout(const std::string& path, std::vector<LayoutStep>& steps) {
    return ForEachLine(path, [&](std::istringstream& ss, int line) {
        LayoutStep s;
        s.line = line;
        if (!(ss >> s.verb)) return 1;
        bool ok = false;
        if (s.verb == "sheet") ok = (bool)(ss >> s.sheet >> s.w >> s.h);
        else if (s.verb == "put") ok = (bool)(ss >> s.sheet >> s.what >> s.x >> s.y);
        else if (s.verb == "draw") ok = (bool)(ss >> s.sheet >> s.what >> s.x >> s.y >> s.w >> s.h);
        if (!ok) return Fail(path, line, "expected sheet, put or draw");
        steps.push_back(s);
        return 1;
    });
}

int LoadRects(const std::string& path, std::vector<SheetRect>& rects) {
    return ForEachLine(path, [&](std::istringstream& ss, int line) {
        SheetRect r;
        if (!(ss >> r.sheet)) return 1;
        if (!(ss >> r.left >> r.top >> r.right >> r.bottom >> r.flags >> r.label))
            return Fail(path, line, "expected: sheet left top right bottom flags label");
        rects.push_back(r);
        return 1;
    });
}
