// Compiles a string table (UTF-8, "number<TAB>text" a line, '#' comments) and
// the module's bitmaps (ID=FILE arguments) into a C++ source that defines the
// sorted tables. Escapes in the text: \n \t \\.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

namespace {

bool Unescape(const std::string& in, std::string& out) {
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i == in.size())
            return false;
        switch (in[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default: return false;
        }
    }
    return true;
}

std::string CLiteral(const std::string& s) {
    std::string r = "\"";
    char buf[8];
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            r += static_cast<char>(c);
        } else {
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            r += buf;
        }
    }
    return r + "\"";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: qvrescc TABLE.txt OUT.cpp [ID=BITMAP.bmp ...]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << argv[1] << ": cannot open\n";
        return 1;
    }
    std::map<unsigned long, std::string> table;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t tab = line.find('\t');
        char* end = nullptr;
        const std::string number = line.substr(0, tab);
        const unsigned long id = std::strtoul(number.c_str(), &end, 10);
        std::string text;
        if (tab == std::string::npos || number.empty() || *end != '\0' ||
            !Unescape(line.substr(tab + 1), text)) {
            std::cerr << argv[1] << ":" << lineNo << ": expected number<TAB>text\n";
            return 1;
        }
        if (!table.emplace(id, text).second) {
            std::cerr << argv[1] << ":" << lineNo << ": number " << id << " given twice\n";
            return 1;
        }
    }
    std::ostringstream out;
    out << "// Generated from " << argv[1] << "; do not edit.\n"
        << "#include \"resources/module/ResModuleApi.h\"\n"
        << "extern const QvResStringEntry kQvResStrings[] = {\n";
    for (const auto& [id, text] : table)
        out << "    {" << id << "u, " << CLiteral(text) << "},\n";
    out << "    {0u, nullptr}};\n"
        << "extern const unsigned kQvResStringCount = " << table.size() << "u;\n";

    std::map<unsigned long, std::string> bitmaps;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t eq = arg.find('=');
        std::ifstream bmp(eq == std::string::npos ? "" : arg.substr(eq + 1), std::ios::binary);
        if (!bmp) {
            std::cerr << "bitmap argument " << arg << ": cannot read\n";
            return 1;
        }
        bitmaps[std::strtoul(arg.substr(0, eq).c_str(), nullptr, 10)] =
            std::string(std::istreambuf_iterator<char>(bmp), {});
    }
    size_t n = 0;
    for (const auto& [id, bytes] : bitmaps) {
        out << "static const unsigned char kBitmap" << n++ << "[] = {";
        for (size_t k = 0; k < bytes.size(); ++k)
            out << (k % 24 ? "" : "\n    ") << static_cast<unsigned>(static_cast<unsigned char>(bytes[k])) << ",";
        out << "};\n";
    }
    out << "extern const QvResBitmapEntry kQvResBitmaps[] = {\n";
    n = 0;
    for (const auto& [id, bytes] : bitmaps)
        out << "    {" << id << "u, " << bytes.size() << "u, kBitmap" << n++ << "},\n";
    out << "    {0u, 0u, nullptr}};\n"
        << "extern const unsigned kQvResBitmapCount = " << bitmaps.size() << "u;\n";
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << out.str();
    return file.good() ? 0 : 1;
}
