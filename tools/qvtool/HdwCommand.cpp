#include <nlohmann/json.hpp>

#include "Commands.h"
#include "JsonNumbers.h"
#include "document/HardwareDescriptionFile.h"
#include "document/SettingsFields.h"
#include "jobs/JsonText.h"

namespace qv::tool {

namespace {

using Json = nlohmann::ordered_json;

Json ReadingJson(const HardwareDescriptionReading& reading) {
    Json values = Json::object();
    VisitFields(reading.record,
                [&](const char* name, auto value) { values[name] = JsonNumber(value); });
    Json json;
    json["portBase"] = reading.portBase;
    json["values"] = values;
    json["complete"] = reading.complete;
    json["itemsRead"] = reading.itemsRead;
    json["message"] = reading.message.empty() ? Json(nullptr) : Json(reading.message);
    return json;
}

void PrintReading(std::ostream& out, const HardwareDescriptionReading& reading) {
    char base[16];
    std::snprintf(base, sizeof base, "0x%X", reading.portBase);
    out << "portBase = " << base << " (" << reading.portBase << ")\n";
    VisitFields(reading.record, [&](const char* name, auto value) {
        out << name << " = " << PlainText(value) << '\n';
    });
    out << "complete = " << (reading.complete ? "yes" : "no") << " (" << reading.itemsRead << " of "
        << kHardwareDescriptionItems << " items read)\n";
    out << "message = " << (reading.message.empty() ? "none" : reading.message) << '\n';
}

}  // namespace

int HdwCommand(Streams io, const std::string& file, bool json) {
    const HardwareDescriptionReading reading = ReadHardwareDescriptionFile(file);
    if (json) {
        io.out << jobs::JsonText(ReadingJson(reading), 2) << '\n';
    } else {
        PrintReading(io.out, reading);
    }
    if (!reading.complete) {
        io.err << reading.message << '\n';
        return 1;
    }
    return 0;
}

}  // namespace qv::tool
