// Draws the program's pictures (the splash and the start-up chooser's button
// images) as 24-bit Windows bitmaps, so no binary picture lives in the tree.
// Usage: qvbitmaps OUTDIR
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rgb {
    uint8_t r, g, b;
};

class Canvas {
public:
    Canvas(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}
    int w() const { return w_; }
    int h() const { return h_; }
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < w_ && y < h_)
            px_[static_cast<size_t>(y) * w_ + x] = c;
    }
    void Rect(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                Set(x, y, c);
    }
    void Frame(int x0, int y0, int x1, int y1, int t, Rgb c) {
        Rect(x0, y0, x1, y0 + t, c);
        Rect(x0, y1 - t, x1, y1, c);
        Rect(x0, y0, x0 + t, y1, c);
        Rect(x1 - t, y0, x1, y1, c);
    }
    void Disc(double cx, double cy, double r, Rgb c) {
        for (int y = static_cast<int>(cy - r); y <= cy + r; ++y)
            for (int x = static_cast<int>(cx - r); x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    Set(x, y, c);
    }
    void Ring(double cx, double cy, double r, double t, Rgb c) {
        for (int y = static_cast<int>(cy - r); y <= cy + r; ++y)
            for (int x = static_cast<int>(cx - r); x <= cx + r; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d <= r && d >= r - t)
                    Set(x, y, c);
            }
    }
    void Line(double x0, double y0, double x1, double y1, double t, Rgb c) {
        const int steps = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0)) * 2) + 1;
        for (int i = 0; i <= steps; ++i) {
            const double k = static_cast<double>(i) / steps;
            Disc(x0 + (x1 - x0) * k, y0 + (y1 - y0) * k, t / 2, c);
        }
    }
    // 5x7 capitals, digits and a few signs, scaled.
    void Text(int x, int y, int scale, const char* s, Rgb c) {
        for (; *s; ++s, x += 6 * scale) {
            const uint8_t* g = Glyph(*s);
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if (g[row] & (0x10 >> col))
                        Rect(x + col * scale, y + row * scale, x + (col + 1) * scale,
                             y + (row + 1) * scale, c);
        }
    }
    static int TextWidth(const char* s, int scale) {
        return static_cast<int>(std::strlen(s)) * 6 * scale - scale;
    }
    bool Save(const std::string& path) const {
        const size_t stride = (static_cast<size_t>(w_) * 3 + 3) & ~size_t{3};
        const size_t size = 54 + stride * h_;
        std::vector<uint8_t> f(size, 0);
        auto put32 = [&](size_t off, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                f[off + i] = static_cast<uint8_t>(v >> (8 * i));
        };
        f[0] = 'B';
        f[1] = 'M';
        put32(2, static_cast<uint32_t>(size));
        put32(10, 54);
        put32(14, 40);
        put32(18, static_cast<uint32_t>(w_));
        put32(22, static_cast<uint32_t>(h_));
        f[26] = 1;
        f[28] = 24;
        put32(34, static_cast<uint32_t>(stride * h_));
        for (int y = 0; y < h_; ++y) {
            uint8_t* row = &f[54 + stride * (h_ - 1 - y)];
            for (int x = 0; x < w_; ++x) {
                const Rgb& p = px_[static_cast<size_t>(y) * w_ + x];
                row[x * 3] = p.b;
                row[x * 3 + 1] = p.g;
                row[x * 3 + 2] = p.r;
            }
        }
        FILE* out = std::fopen(path.c_str(), "wb");
        if (!out)
            return false;
        const bool ok = std::fwrite(f.data(), 1, f.size(), out) == f.size();
        return std::fclose(out) == 0 && ok;
    }

private:
    static const uint8_t* Glyph(char ch) {
        static const struct {
            char c;
            uint8_t rows[7];
        } kFont[] = {
            {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
            {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {30, 17, 17, 17, 17, 17, 30}},
            {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
            {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
            {'I', {14, 4, 4, 4, 4, 4, 14}},      {'K', {17, 18, 20, 24, 20, 18, 17}},
            {'L', {16, 16, 16, 16, 16, 16, 31}}, {'M', {17, 27, 21, 21, 17, 17, 17}},
            {'N', {17, 25, 21, 19, 17, 17, 17}}, {'O', {14, 17, 17, 17, 17, 17, 14}},
            {'P', {30, 17, 17, 30, 16, 16, 16}}, {'Q', {14, 17, 17, 17, 21, 18, 13}},
            {'R', {30, 17, 17, 30, 20, 18, 17}}, {'S', {15, 16, 16, 14, 1, 1, 30}},
            {'T', {31, 4, 4, 4, 4, 4, 4}},       {'U', {17, 17, 17, 17, 17, 17, 14}},
            {'V', {17, 17, 17, 17, 17, 10, 4}},  {'W', {17, 17, 17, 21, 21, 21, 10}},
            {'X', {17, 17, 10, 4, 10, 17, 17}},  {'Y', {17, 17, 10, 4, 4, 4, 4}},
            {'0', {14, 17, 19, 21, 25, 17, 14}}, {'2', {14, 17, 1, 2, 4, 8, 31}},
            {'3', {30, 1, 1, 14, 1, 1, 30}},     {'.', {0, 0, 0, 0, 0, 12, 12}},
            {' ', {0, 0, 0, 0, 0, 0, 0}},
        };
        for (const auto& g : kFont)
            if (g.c == ch)
                return g.rows;
        return kFont[sizeof kFont / sizeof kFont[0] - 1].rows;
    }
    int w_, h_;
    std::vector<Rgb> px_;
};

const Rgb kNavy{18, 42, 82}, kTeal{0, 150, 160}, kWhite{255, 255, 255}, kPaper{246, 248, 250},
    kAmber{245, 170, 40}, kGrey{110, 120, 130}, kGreen{60, 170, 90};

bool Splash(const std::string& path) {
    Canvas c(600, 320, kPaper);
    for (int y = 0; y < 248; ++y) { // night-blue band above the owner lines
        const double k = y / 248.0;
        c.Rect(0, y, 600, y + 1,
               Rgb{static_cast<uint8_t>(18 + 20 * k), static_cast<uint8_t>(42 + 60 * k),
                   static_cast<uint8_t>(82 + 70 * k)});
    }
    // The logger: a box with a display showing a recorded trace.
    c.Rect(40, 50, 170, 170, Rgb{225, 230, 236});
    c.Frame(40, 50, 170, 170, 3, kGrey);
    c.Rect(55, 65, 155, 125, Rgb{20, 30, 40});
    double px = 58, py = 110;
    for (int i = 1; i <= 16; ++i) {
        const double x = 58 + i * 6, y = 95 + 14 * std::sin(i * 0.8) * (i % 3 ? 1 : -0.6);
        c.Line(px, py, x, y, 2, kTeal);
        px = x;
        py = y;
    }
    c.Disc(70, 148, 7, kGreen);
    c.Disc(92, 148, 7, kAmber);
    c.Rect(120, 142, 155, 154, kGrey);
    c.Text(200, 70, 6, "QUORVELIS", kWhite);
    c.Text(202, 130, 2, "SETTINGS FOR THE BRELLOX UNIT", Rgb{190, 215, 240});
    c.Text(202, 160, 2, "VER.2.30", Rgb{150, 180, 210});
    c.Rect(0, 246, 600, 248, kTeal);
    return c.Save(path);
}

bool Button(const std::string& path, int kind) {
    Canvas c(48, 48, kWhite);
    switch (kind) {
    case 433: // new settings: a blank sheet with a plus
        c.Rect(10, 4, 34, 44, kPaper);
        c.Frame(10, 4, 34, 44, 2, kGrey);
        c.Rect(30, 28, 34, 46, kGreen);
        c.Rect(23, 35, 41, 39, kGreen);
        c.Rect(30, 28, 34, 46, kGreen);
        break;
    case 429: // settings wizard: a wand with sparks
        c.Line(8, 40, 32, 16, 4, kNavy);
        c.Line(30, 18, 36, 12, 4, kAmber);
        c.Disc(40, 8, 3, kAmber);
        c.Disc(20, 8, 2, kTeal);
        c.Disc(42, 28, 2, kTeal);
        break;
    case 432: // open a settings file: a folder
        c.Rect(4, 12, 20, 18, kAmber);
        c.Rect(4, 16, 44, 40, Rgb{250, 200, 90});
        c.Frame(4, 16, 44, 40, 2, Rgb{200, 140, 30});
        break;
    case 431: // read from the unit: the unit and an arrow to the computer
        c.Rect(4, 6, 24, 30, Rgb{225, 230, 236});
        c.Frame(4, 6, 24, 30, 2, kGrey);
        c.Rect(8, 10, 20, 18, kNavy);
        c.Rect(26, 26, 44, 40, kNavy);
        c.Rect(28, 28, 42, 38, Rgb{120, 190, 240});
        c.Line(14, 34, 14, 42, 3, kGreen);
        c.Line(14, 42, 24, 42, 3, kGreen);
        c.Line(20, 38, 24, 42, 3, kGreen);
        c.Line(20, 46, 24, 42, 3, kGreen);
        break;
    case 430: // power-meter wizard: a gauge
        c.Ring(24, 26, 20, 4, kNavy);
        c.Line(24, 26, 36, 14, 3, kAmber);
        c.Disc(24, 26, 4, kNavy);
        c.Rect(14, 38, 34, 42, kTeal);
        break;
    }
    return c.Save(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qvbitmaps OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = Splash(dir + "/QVOpen.Opn");
    for (int id = 429; id <= 433; ++id)
        ok = Button(dir + "/bitmap" + std::to_string(id) + ".bmp", id) && ok;
    return ok ? 0 : 1;
}
