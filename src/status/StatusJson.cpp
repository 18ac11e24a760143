#include "status/StatusJson.h"

#include <nlohmann/json.hpp>

#include "document/RunLogRecord.h"

namespace qv {

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OrNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

void AddCounters(Json& j, const CaptureReadings& r) {
    const auto& c = r.counters;
    j["qv1_rate"] = c ? Json(c->Qv1Rate) : Json(nullptr);
    j["qv2_rate"] = c ? Json(c->Qv2Rate) : Json(nullptr);
    j["live_time"] = c ? Json(c->AaLiveTime) : Json(nullptr);
    j["dead_time"] = c ? Json(c->AaDeadTime) : Json(nullptr);
    j["dead_time_pct"] = c ? Json(DeadTimePercentage(c->AaLiveTime, c->AaDeadTime)) : Json(nullptr);
    j["qv1_cycles_done"] = c ? Json(c->Qv1CyclesDone) : Json(nullptr);
    j["qv2_cycles_done"] = c ? Json(c->Qv2CyclesDone) : Json(nullptr);
    j["backup_period"] = r.backup ? Json(r.backup->period) : Json(nullptr);
    j["backup_till_nearest"] = r.backup ? Json(r.backup->tillNearest) : Json(nullptr);
}

void AddDrive(Json& j, const StatusSnapshot& s) {
    const CaptureReadings& r = s.capture.readings;
    j["hv_desired"] = s.data.Settings.HighVoltage.HvDesired;
    j["hv_desired_volts"] = s.hvDesiredVolts;
    j["hv_current"] = r.highVoltage ? Json(r.highVoltage->HvCurrent) : Json(nullptr);
    j["hv_current_volts"] = r.highVoltage ? Json(r.highVoltage->Volts) : Json(nullptr);
    j["vibrator_amplitude_desired"] = s.amplitudeDesired;
    j["vibrator_amplitude_current"] = OrNull(r.amplitudeCurrent);
    j["vibrator_velocity_desired"] = s.velocityDesired;
    j["vibrator_velocity_current"] = OrNull(s.velocityCurrent);
}

Json AutoSaveJson(const std::optional<AutoSaveRecord>& record) {
    if (!record) {
        return nullptr;
    }
    Json j;
    j["time"] = FormatLogTime(record->time, record->utcOffset);
    j["file"] = record->path;
    j["saved"] = record->saved;
    j["result"] = AutoSaveResultText(*record);
    return j;
}

}  // namespace

std::string AutoSaveResultText(const AutoSaveRecord& record) {
    if (record.captureResult != 0) {
        return "capture failed (Err no:" + std::to_string(record.captureResult) + ")";
    }
    return record.saved ? "saved" : "not saved";
}

std::string StatusJson(const StatusSnapshot& s, bool velocityPicture) {
    Json j;
    j["program"] = s.program;
    j["sequence"] = s.sequence;
    j["capture_time"] = FormatLogTime(s.capture.time, s.capture.utcOffset);
    j["capture_result"] = s.capture.result;
    j["qv2_state"] = CountingStateName(s.qv2);
    j["qv1_state"] = CountingStateName(s.qv1);
    j["aa_state"] = CountingStateName(s.aa);
    AddCounters(j, s.capture.readings);
    AddDrive(j, s);
    j["auto_refresh"] = s.autoRefresh;
    j["auto_save"] = s.autoSave;
    j["last_autosave"] = AutoSaveJson(s.lastAutoSave);
    j["file"] = s.path;
    j["remark"] = s.remark;
    j["velocity_picture"] = velocityPicture;
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

std::string NoCaptureJson(const std::string& program) {
    Json j;
    j["program"] = program;
    j["sequence"] = 0;
    return j.dump(2) + '\n';
}

}  // namespace qv
