#pragma once
// A small JSON value for the --json output: null, booleans, integers, text,
// arrays and objects that keep their keys in insertion order.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zeb40::cli {

class Json {
  public:
    enum class Kind { Null, Bool, Number, Text, Array, Object };

    Json() = default;
    Json(std::nullptr_t) {}
    Json(bool value) : kind_(Kind::Bool), bool_(value) {}
    Json(int value) : kind_(Kind::Number), number_(value) {}
    Json(long value) : kind_(Kind::Number), number_(value) {}
    Json(long long value) : kind_(Kind::Number), number_(value) {}
    Json(unsigned value) : kind_(Kind::Number), number_(value) {}
    Json(unsigned long value) : kind_(Kind::Number), number_(static_cast<long long>(value)) {}
    Json(const char* text) : kind_(Kind::Text), text_(text) {}
    Json(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    Json(std::string_view text) : kind_(Kind::Text), text_(text) {}

    static Json Array() { return Json(Kind::Array); }
    static Json Object() { return Json(Kind::Object); }

    Kind GetKind() const { return kind_; }
    // Appends to an array.
    Json& Push(Json value);
    // Sets a key of an object (replacing an existing one); returns the value.
    Json& Set(std::string_view key, Json value);
    // The value of a key of an object, or nullptr.
    const Json* Find(std::string_view key) const;

    // Two-space indentation, one document; ends without a line break.
    std::string Dump() const;

  private:
    explicit Json(Kind kind) : kind_(kind) {}
    void DumpTo(std::string& out, int indent) const;

    Kind kind_ = Kind::Null;
    bool bool_ = false;
    long long number_ = 0;
    std::string text_;
    std::vector<Json> items_;
    std::vector<std::pair<std::string, Json>> members_;
};

// The text as a JSON string literal, quotes included; bytes that are not
// valid UTF-8 become U+FFFD so that the output always parses.
std::string JsonQuote(std::string_view text);

} // namespace zeb40::cli
