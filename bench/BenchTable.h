// The clock, the medians and the one table the Windows benchmark prints.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// Milliseconds since an arbitrary start, from the performance counter.
double NowMs();

// Runs `action` once and gives its duration in milliseconds.
template <typename Action>
double TimeMs(Action&& action) {
    double start = NowMs();
    action();
    return NowMs() - start;
}

// The measurements of one figure, one a run.
class Samples {
  public:
    void Add(double value) { values_.push_back(value); }
    std::size_t Count() const { return values_.size(); }
    // The middle value; the mean of the middle two for an even count; 0 when empty.
    double Median() const;
    double Min() const;
    double Max() const;

  private:
    std::vector<double> values_;
};

// How a figure's number is written.
enum class Unit { Milliseconds, Microseconds, Kilobytes, Megabytes, Times };

std::string Format(double value, Unit unit);

// What a figure is held to: nothing, a ratio to its floor, or a fixed ceiling.
struct Target {
    enum Kind { None, RatioToFloor, Ceiling } kind = None;
    double limit = 0;
};

inline Target NoTarget() {
    return Target{};
}
inline Target AtMostTimesFloor(double limit) {
    return Target{Target::RatioToFloor, limit};
}
inline Target AtMost(double limit) {
    return Target{Target::Ceiling, limit};
}

// Rows of: figure, median value, value range, floor, ratio, target, met. A ratio is the ratio
// of the medians of the figure and its floor, both measured in the same run on the same data.
class Table {
  public:
    // `floor` may be null (no floor, no ratio).
    void Add(const std::string& figure, const Samples& value, const Samples* floor, Unit unit,
             Target target = NoTarget());
    // A number read once (a file size) or worked out from medians; `how` fills the range
    // column.
    void AddNumber(const std::string& figure, double value, const std::string& how, Unit unit,
                   Target target = NoTarget());
    // A line of its own between the rows, naming the group that follows.
    void AddSection(const std::string& title);

    void Print(std::FILE* out) const;

  private:
    static constexpr int kColumns = 7;
    struct Row {
        std::string cells[kColumns];
        bool section = false;
    };
    void AddRow(const std::string& figure, double value, const std::string& range,
                const double* floor, Unit unit, Target target);
    std::vector<Row> rows_;
};

}  // namespace bench
