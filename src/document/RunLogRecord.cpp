#include "document/RunLogRecord.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <vector>

namespace qv {

namespace {

using namespace std::chrono;

constexpr const char* kHeader =
    "time,qv1_rate,qv2_rate,live_time,dead_time,dead_time_pct,hv_current,hv_volts,"
    "vibrator_amplitude,qv1_cycles_done,qv2_cycles_done,result";

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = line.find(',');
        fields.push_back(line.substr(0, comma));
        if (comma == std::string_view::npos) {
            return fields;
        }
        line.remove_prefix(comma + 1);
    }
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc{} && stop == end;
}

// Digits at text[at..at+count), as a number.
bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    return at + count <= text.size() && ParseNumber(text.substr(at, count), value);
}

bool ParseLogTime(std::string_view text, std::int64_t& time, std::int32_t& utcOffset) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || !Digits(text, 0, 4, y) || !Digits(text, 5, 2, mo) ||
        !Digits(text, 8, 2, d) || !Digits(text, 11, 2, h) || !Digits(text, 14, 2, mi) ||
        !Digits(text, 17, 2, s) || h > 23 || mi > 59 || s > 60) {
        return false;
    }
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                              day{static_cast<unsigned>(d)}};
    if (!date.ok()) {
        return false;
    }
    const std::string_view zone = text.substr(19);
    int offH = 0, offM = 0;
    if (zone == "Z") {
        utcOffset = 0;
    } else if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':' &&
               Digits(zone, 1, 2, offH) && Digits(zone, 4, 2, offM)) {
        utcOffset = (zone[0] == '-' ? -1 : 1) * (offH * 3600 + offM * 60);
    } else {
        return false;
    }
    const auto local = sys_days(date) + hours(h) + minutes(mi) + seconds(s);
    time = local.time_since_epoch().count() - utcOffset;
    return true;
}

// An optional column: empty, or a number.
template <typename T>
bool Column(std::string_view text, std::optional<T>& value) {
    if (text.empty()) {
        value.reset();
        return true;
    }
    T number{};
    if (!ParseNumber(text, number)) {
        return false;
    }
    value = number;
    return true;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// The columns of one reading group: all filled or all empty.
template <typename... T>
bool AllOrNone(const std::optional<T>&... columns) {
    const int filled = (0 + ... + (columns ? 1 : 0));
    return filled == 0 || filled == static_cast<int>(sizeof...(T));
}

}  // namespace

std::string RunLogHeader() {
    return kHeader;
}

RunLogRecord StampedRecord(system_clock::time_point when) {
    RunLogRecord record;
    const std::time_t t = system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    record.time = static_cast<std::int64_t>(t);
    record.utcOffset = static_cast<std::int32_t>(local.tm_gmtoff);
    return record;
}

std::string FormatLogTime(std::int64_t time, std::int32_t utcOffset) {
    const sys_seconds local{seconds(time + utcOffset)};
    const sys_days day = floor<days>(local);
    const year_month_day date(day);
    const hh_mm_ss<seconds> clock(local - day);
    const int offset = utcOffset < 0 ? -utcOffset : utcOffset;
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d%c%02d:%02d",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), utcOffset < 0 ? '-' : '+',
                  offset / 3600, offset / 60 % 60);
    return text;
}

double DeadTimePercentage(std::int32_t liveTime, std::int32_t deadTime) {
    const double total = static_cast<double>(liveTime) + static_cast<double>(deadTime);
    return total == 0 ? 0.0 : static_cast<double>(deadTime) * 100.0 / total;
}

std::string FormatRunLogLine(const RunLogRecord& record) {
    const CaptureReadings& r = record.readings;
    std::string line = FormatLogTime(record.time, record.utcOffset);
    const auto add = [&line](const std::string& field) { line += ',' + field; };
    if (const auto& c = r.counters) {
        add(std::to_string(c->Qv1Rate));
        add(std::to_string(c->Qv2Rate));
        add(std::to_string(c->AaLiveTime));
        add(std::to_string(c->AaDeadTime));
        add(Number(DeadTimePercentage(c->AaLiveTime, c->AaDeadTime)));
    } else {
        line += ",,,,,";
    }
    if (const auto& hv = r.highVoltage) {
        add(std::to_string(hv->HvCurrent));
        add(Number(hv->Volts));
    } else {
        line += ",,";
    }
    add(r.amplitudeCurrent ? std::to_string(*r.amplitudeCurrent) : std::string());
    if (const auto& c = r.counters) {
        add(std::to_string(c->Qv1CyclesDone));
        add(std::to_string(c->Qv2CyclesDone));
    } else {
        line += ",,";
    }
    add(std::to_string(record.result));
    return line;
}

std::optional<RunLogRecord> ParseRunLogLine(std::string_view line, std::string& why) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line == kHeader) {
        why = "a header line";
        return std::nullopt;
    }
    const std::vector<std::string_view> f = SplitFields(line);
    if (f.size() != kRunLogColumns) {
        why = std::to_string(f.size()) + " columns instead of " + std::to_string(kRunLogColumns);
        return std::nullopt;
    }
    RunLogRecord record;
    if (!ParseLogTime(f[0], record.time, record.utcOffset)) {
        why = "no time in the first column";
        return std::nullopt;
    }
    std::optional<std::int32_t> qv1Rate, qv2Rate, live, dead, hvCurrent, amplitude;
    std::optional<double> deadPct, volts;
    std::optional<std::uint32_t> qv1Cycles, qv2Cycles;
    std::optional<int> result;
    const bool numbers = Column(f[1], qv1Rate) && Column(f[2], qv2Rate) && Column(f[3], live) &&
                         Column(f[4], dead) && Column(f[5], deadPct) && Column(f[6], hvCurrent) &&
                         Column(f[7], volts) && Column(f[8], amplitude) &&
                         Column(f[9], qv1Cycles) && Column(f[10], qv2Cycles) &&
                         Column(f[11], result) && result;
    if (!numbers || !AllOrNone(qv1Rate, qv2Rate, live, dead, deadPct, qv1Cycles, qv2Cycles) ||
        !AllOrNone(hvCurrent, volts)) {
        why = "a column that is not a number";
        return std::nullopt;
    }
    CaptureReadings& r = record.readings;
    if (qv1Rate) {
        r.counters = CounterReadings{*qv1Rate, *qv2Rate, *live, *dead, *qv1Cycles, *qv2Cycles};
    }
    if (hvCurrent) {
        r.highVoltage = HighVoltageReading{*hvCurrent, *volts};
    }
    r.amplitudeCurrent = amplitude;
    record.result = *result;
    return record;
}

}  // namespace qv
