#include "cli/Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace zeb40::cli {
namespace {

TEST(Json, DocumentsParseBackWithTheirValues) {
    Json root = Json::Object();
    root.Set("text", "tab\there \"quoted\" back\\slash\nline");
    root.Set("number", -42);
    root.Set("flag", true);
    root.Set("nothing", nullptr);
    Json& list = root.Set("list", Json::Array());
    list.Push(1);
    list.Push("25 µs");
    root.Set("empty", Json::Array());
    root.Set("number", 7); // replaces, keeps its place

    QJsonParseError error{};
    auto document = QJsonDocument::fromJson(QByteArray::fromStdString(root.Dump()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << root.Dump();
    QJsonObject object = document.object();
    EXPECT_EQ(object["text"].toString().toStdString(), "tab\there \"quoted\" back\\slash\nline");
    EXPECT_EQ(object["number"].toInt(), 7);
    EXPECT_TRUE(object["flag"].toBool());
    EXPECT_TRUE(object["nothing"].isNull());
    EXPECT_EQ(object["list"].toArray().at(1).toString(), QString::fromUtf8("25 µs"));
    EXPECT_TRUE(object["empty"].toArray().isEmpty());
    EXPECT_EQ(object.keys().size(), 6);
}

TEST(Json, ControlCharactersAndBrokenUtf8StayValidJson) {
    EXPECT_EQ(JsonQuote(std::string("a\x01z", 3)), "\"a\\u0001z\"");
    EXPECT_EQ(JsonQuote("\xff"), "\"\\ufffd\"");
    EXPECT_EQ(JsonQuote("\xc3"), "\"\\ufffd\"");                       // cut sequence
    EXPECT_EQ(JsonQuote("\xed\xa0\x80"), "\"\\ufffd\\ufffd\\ufffd\""); // surrogate
    EXPECT_EQ(JsonQuote("\xc3\xa4"), "\"\xc3\xa4\"");
}

TEST(Json, MisuseIsAProgrammingError) {
    Json text("x");
    EXPECT_THROW(text.Push(1), std::logic_error);
    EXPECT_THROW(text.Set("k", 1), std::logic_error);
}

} // namespace
} // namespace zeb40::cli
