// Fixtures for the report's page tests: a string table that answers every
// number with "{number}" (format strings keep their conversions, so values
// still show), a settings image with every table section filled, the page
// counts of an image, and a text dump of a page's records for golden files.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "document/StringTable.h"
#include "document/Utf8.h"
#include "tests/TestPaths.h"
#include "view/report/ReportPage.h"
#include "view/report/ReportTableText.h"

namespace qv::test::tablepages {

class NumberStringTable : public StringTable {
public:
    // Numbers that serve as formats, with the conversions they take.
    std::map<unsigned, std::string> formats = {
        {9500, "%d"}, {9507, "%s/%d/%s/%s"}, {9520, "%s/%s/%s"}, {4300, "%d"}, {4301, "%s"}};

    const char* FindUtf8(unsigned id) const override {
        auto it = cache_.find(id);
        if (it == cache_.end()) {
            const auto f = formats.find(id);
            std::string text = "{" + std::to_string(id) + "}";
            if (f != formats.end())
                text += f->second;
            it = cache_.emplace(id, text).first;
        }
        return it->second.c_str();
    }

private:
    mutable std::map<unsigned, std::string> cache_;
};

class ScopedNumberStrings {
public:
    ScopedNumberStrings() { SetActiveStringTable(&table); }
    ~ScopedNumberStrings() { SetActiveStringTable(nullptr); }
    NumberStringTable table;
};

inline void SetField(uint8_t* field, size_t width, const char* bytes) {
    std::memset(field, 0, width);
    std::memcpy(field, bytes, std::min(std::strlen(bytes), width));
}

// The page counts as the frame computes them from the records in use.
inline report::PageLayout LayoutOf(const ImageBlocks& image, int linesPerPage) {
    const int rows = linesPerPage - 2;
    auto pages = [rows](size_t n) {
        return rows < 1 ? 0 : static_cast<int>((n + rows - 1) / rows);
    };
    report::PageLayout l;
    l.linesPerPage = linesPerPage;
    l.triggerPages = pages(report::tables::TriggersInUse(image).size());
    for (int f = 1; f <= 16; ++f) {
        l.filePages[static_cast<size_t>(f - 1)] =
            pages(report::tables::DevicesOfFile(image, f).size());
        l.devicePages += l.filePages[static_cast<size_t>(f - 1)];
    }
    l.dataSetPages = pages(report::tables::DataSetsInUse(image).size());
    l.mailPages = pages(report::tables::MailSendsInUse(image).size());
    return l;
}

inline std::string Hex6(report::Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%06X", c & 0xFFFFFFu);
    return buf;
}

// One line per record.
inline std::string DumpRecords(const report::ReportPage& page) {
    std::ostringstream out;
    for (const report::PrintRecord& r : page.Records()) {
        switch (r.kind) {
        case report::PrintRecord::Kind::Text:
            out << "T L" << r.line << " x" << r.left << "-" << r.right << " " << Hex6(r.background)
                << "/" << Hex6(r.colour);
            break;
        case report::PrintRecord::Kind::Cell:
            out << "C L" << r.line << " " << r.left << "-" << r.right << " " << Hex6(r.background)
                << "/" << Hex6(r.colour) << " "
                << (r.align == report::Align::Right    ? 'R'
                    : r.align == report::Align::Centre ? 'C'
                                                       : 'L')
                << (r.border ? 'B' : '-');
            break;
        default:
            out << "? " << r.left << "," << r.y;
            break;
        }
        out << " |" << WideToUtf8(r.text) << "|\n";
    }
    return out.str();
}

// Compares with a golden file in the fixtures; QV_UPDATE_GOLDEN=1 writes it.
inline void ExpectGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(test::kFixtureDir) + "/report/" + name;
    if (std::getenv("QV_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    std::ostringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(actual, golden.str()) << "golden " << path;
}

} // namespace qv::test::tablepages
