#include "cli/Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace zeb40::cli {
namespace {

QJsonDocument Parsed(const std::string& text) {
    QJsonParseError error{};
    auto document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return document;
}

// Members come out in the order the command set them, as the text output
// reads, not sorted.
TEST(Json, DocumentsKeepTheirMemberOrderAndIndentation) {
    Json root = Json::object();
    root["command"] = "info";
    root["version"] = "3.46";
    root["identifier"] = nullptr;
    root["options"] = Json::array({"25 µs", 7});
    root["empty"] = Json::array();
    EXPECT_EQ(JsonDocument(root), "{\n"
                                  "  \"command\": \"info\",\n"
                                  "  \"version\": \"3.46\",\n"
                                  "  \"identifier\": null,\n"
                                  "  \"options\": [\n"
                                  "    \"25 µs\",\n"
                                  "    7\n"
                                  "  ],\n"
                                  "  \"empty\": []\n"
                                  "}");
    EXPECT_EQ(JsonLine(root), "{\"command\":\"info\",\"version\":\"3.46\",\"identifier\":null,"
                              "\"options\":[\"25 µs\",7],\"empty\":[]}");
}

// File names and system messages are bytes; the output must parse anyway.
TEST(Json, ControlCharactersAndBrokenUtf8StillParse) {
    Json root = Json::object();
    root["file"] = std::string("a\x01\tz\"\\\n", 7);
    root["broken"] = "\xff-\xc3-\xed\xa0\x80";
    for (const std::string& text : {JsonDocument(root), JsonLine(root)}) {
        QJsonObject object = Parsed(text).object();
        EXPECT_EQ(object["file"].toString().toStdString(), std::string("a\x01\tz\"\\\n", 7));
        EXPECT_EQ(object["broken"].toString(),
                  QString::fromUtf8("\uFFFD-\uFFFD-\uFFFD\uFFFD\uFFFD"));
    }
}

} // namespace
} // namespace zeb40::cli
