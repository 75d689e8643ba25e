#include "bench/BenchTable.h"

#include <windows.h>

#include <algorithm>

namespace bench {

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double Samples::Median() const {
    if (values_.empty()) {
        return 0;
    }
    std::vector<double> sorted(values_);
    std::sort(sorted.begin(), sorted.end());
    std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double Samples::Min() const {
    return values_.empty() ? 0 : *std::min_element(values_.begin(), values_.end());
}

double Samples::Max() const {
    return values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end());
}

std::string Format(double value, Unit unit) {
    char text[64];
    switch (unit) {
        case Unit::Milliseconds:
            std::snprintf(text, sizeof text, value < 100 ? "%.2f ms" : "%.0f ms", value);
            break;
        case Unit::Microseconds:
            std::snprintf(text, sizeof text, "%.2f us", value);
            break;
        case Unit::Kilobytes:
            std::snprintf(text, sizeof text, "%.1f KB", value / 1024.0);
            break;
        case Unit::Megabytes:
            std::snprintf(text, sizeof text, "%.1f MB", value / (1024.0 * 1024.0));
            break;
        case Unit::Times:
            std::snprintf(text, sizeof text, "%.2f x", value);
            break;
    }
    return text;
}

namespace {

std::string Range(const Samples& samples, Unit unit) {
    return Format(samples.Min(), unit) + " .. " + Format(samples.Max(), unit) + " (" +
           std::to_string(samples.Count()) + ")";
}

std::string RatioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ratio);
    return text;
}

}  // namespace

void Table::AddRow(const std::string& figure, double value, const std::string& range,
                   const double* floor, Unit unit, Target target) {
    Row row;
    row.cells[0] = figure;
    row.cells[1] = Format(value, unit);
    row.cells[2] = range;
    row.cells[3] = floor != nullptr ? Format(*floor, unit) : "-";
    double ratio = floor != nullptr && *floor > 0 ? value / *floor : 0;
    row.cells[4] = floor != nullptr ? RatioText(ratio) : "-";
    switch (target.kind) {
        case Target::None:
            row.cells[5] = "-";
            row.cells[6] = "-";
            break;
        case Target::RatioToFloor:
            row.cells[5] = "ratio <= " + RatioText(target.limit);
            row.cells[6] = ratio > 0 && ratio <= target.limit ? "yes" : "no";
            break;
        case Target::Ceiling:
            row.cells[5] = "<= " + Format(target.limit, unit);
            row.cells[6] = value <= target.limit ? "yes" : "no";
            break;
    }
    rows_.push_back(row);
}

void Table::Add(const std::string& figure, const Samples& value, const Samples* floor, Unit unit,
                Target target) {
    double floorMedian = floor != nullptr ? floor->Median() : 0;
    AddRow(figure, value.Median(), Range(value, unit), floor != nullptr ? &floorMedian : nullptr,
           unit, target);
}

void Table::AddNumber(const std::string& figure, double value, const std::string& how, Unit unit,
                      Target target) {
    AddRow(figure, value, how, nullptr, unit, target);
}

void Table::AddSection(const std::string& title) {
    Row row;
    row.cells[0] = title;
    row.section = true;
    rows_.push_back(row);
}

void Table::Print(std::FILE* out) const {
    const char* const heads[kColumns] = {
        "figure", "value (median)", "min .. max (runs)", "floor", "ratio", "target", "met"};
    std::size_t widths[kColumns];
    for (int c = 0; c < kColumns; ++c) {
        widths[c] = std::string(heads[c]).size();
    }
    for (const Row& row : rows_) {
        if (row.section) {
            continue;
        }
        for (int c = 0; c < kColumns; ++c) {
            widths[c] = std::max(widths[c], row.cells[c].size());
        }
    }
    auto printCells = [&](const std::string* cells) {
        std::fputs("|", out);
        for (int c = 0; c < kColumns; ++c) {
            std::fprintf(out, " %-*s |", static_cast<int>(widths[c]), cells[c].c_str());
        }
        std::fputs("\n", out);
    };
    std::string headCells[kColumns];
    std::string ruleCells[kColumns];
    for (int c = 0; c < kColumns; ++c) {
        headCells[c] = heads[c];
        ruleCells[c] = std::string(widths[c], '-');
    }
    printCells(headCells);
    printCells(ruleCells);
    for (const Row& row : rows_) {
        if (row.section) {
            // One cell across the whole table.
            std::size_t inside = 3 * kColumns - 1;
            for (std::size_t width : widths) {
                inside += width;
            }
            std::string title = " ** " + row.cells[0];
            if (title.size() < inside) {
                title.resize(inside, ' ');
            }
            std::fprintf(out, "|%s|\n", title.c_str());
        } else {
            printCells(row.cells);
        }
    }
    std::fflush(out);
}

}  // namespace bench
