// Value equality and text.
#include "catalog/field_value.h"

#include "catalog/number_key.h"
#include "jet/value_text.h"

namespace catalog {

namespace {
bool integral(const jet::Value& v) {
    switch (v.kind()) {
    case jet::Value::Kind::Byte:
    case jet::Value::Kind::Int16:
    case jet::Value::Kind::Int32: return true;
    default: return false;
    }
}
bool textual(const jet::Value& v) {
    return v.kind() == jet::Value::Kind::Text || v.kind() == jet::Value::Kind::Memo;
}
}  // namespace

bool valuesEqual(const jet::Value& a, const jet::Value& b) {
    if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
    if (integral(a) && integral(b)) return a.asInteger() == b.asInteger();
    if (isNumber(a) && isNumber(b)) {
        // Exactly, across kinds, precisions and scales: the key the hash indexes use.
        std::string ka, kb;
        writeNumberKey(a, ka);
        writeNumberKey(b, kb);
        return ka == kb;
    }
    if (textual(a) && textual(b)) return a.asString() == b.asString();
    return a == b;
}

std::string valueAsText(const jet::Value& value) {
    switch (value.kind()) {
    case jet::Value::Kind::Null: return "";
    case jet::Value::Kind::Bool: return value.asBool() ? "True" : "False";
    case jet::Value::Kind::Text:
    case jet::Value::Kind::Memo: return value.asString();
    default: return jet::plainText(value);
    }
}

}  // namespace catalog
