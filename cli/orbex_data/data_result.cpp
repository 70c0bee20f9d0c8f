#include "cli/orbex_data/data_result.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace orbex {

std::string DataResultJson(const DataResult& result) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> json(buffer);
    const auto text = [&json](const char* key, const std::string& value) {
        json.Key(key);
        json.String(value.c_str(), static_cast<rapidjson::SizeType>(value.size()));
    };
    json.StartObject();
    text("operation", result.operation);
    text("data", result.data);
    text("port", result.port);
    json.Key("files");
    json.StartArray();
    for (const std::string& file : result.files) {
        json.String(file.c_str(), static_cast<rapidjson::SizeType>(file.size()));
    }
    json.EndArray();
    json.Key("ok");
    json.Bool(result.exitCode == 0);
    text("result", result.result);
    text("message", result.message);
    json.Key("receiver");
    if (result.receiver) {
        json.String(result.receiver->c_str(),
                    static_cast<rapidjson::SizeType>(result.receiver->size()));
    } else {
        json.Null();
    }
    json.Key("confirmed");
    if (result.confirmed) {
        json.Bool(*result.confirmed);
    } else {
        json.Null();
    }
    json.Key("exit");
    json.Int(result.exitCode);
    json.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize()) + "\n";
}

}  // namespace orbex
