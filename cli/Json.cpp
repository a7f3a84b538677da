#include "cli/Json.h"

#include <cstdio>
#include <stdexcept>

namespace zeb40::cli {
namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void Indent(std::string& out, int indent) {
    out += '\n';
    out.append(static_cast<std::size_t>(indent) * 2, ' ');
}

} // namespace

std::string JsonQuote(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char escaped[8];
                    (void)std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += static_cast<char>(c);
                }
            }
            ++i;
            continue;
        }
        std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    out += '"';
    return out;
}

Json& Json::Push(Json value) {
    if (kind_ != Kind::Array)
        throw std::logic_error("Json::Push on a value that is not an array");
    items_.push_back(std::move(value));
    return items_.back();
}

Json& Json::Set(std::string_view key, Json value) {
    if (kind_ != Kind::Object)
        throw std::logic_error("Json::Set on a value that is not an object");
    for (auto& [name, member] : members_) {
        if (name == key) {
            member = std::move(value);
            return member;
        }
    }
    members_.emplace_back(std::string(key), std::move(value));
    return members_.back().second;
}

const Json* Json::Find(std::string_view key) const {
    for (const auto& [name, member] : members_) {
        if (name == key)
            return &member;
    }
    return nullptr;
}

std::string Json::Dump() const {
    std::string out;
    DumpTo(out, 0);
    return out;
}

void Json::DumpTo(std::string& out, int indent) const {
    switch (kind_) {
    case Kind::Null:
        out += "null";
        break;
    case Kind::Bool:
        out += bool_ ? "true" : "false";
        break;
    case Kind::Number:
        out += std::to_string(number_);
        break;
    case Kind::Text:
        out += JsonQuote(text_);
        break;
    case Kind::Array:
        if (items_.empty()) {
            out += "[]";
            break;
        }
        out += '[';
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (i > 0)
                out += ',';
            Indent(out, indent + 1);
            items_[i].DumpTo(out, indent + 1);
        }
        Indent(out, indent);
        out += ']';
        break;
    case Kind::Object:
        if (members_.empty()) {
            out += "{}";
            break;
        }
        out += '{';
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (i > 0)
                out += ',';
            Indent(out, indent + 1);
            out += JsonQuote(members_[i].first);
            out += ": ";
            members_[i].second.DumpTo(out, indent + 1);
        }
        Indent(out, indent);
        out += '}';
        break;
    }
}

} // namespace zeb40::cli
