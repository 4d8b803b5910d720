#include "tools/DocumentJson.h"

#include "model/AttributeValues.h"
#include "model/Document.h"
#include "persistence/DocumentFile.h"
#include "tools/RecordText.h"
#include "view/ShiftJis.h"

#include <QString>

#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <vector>

namespace td {

namespace {

// The values a field keeps through the file and back: its width in the file, narrowed where the
// reader would change a stored value (levels above 3 come back as 3, zero lanes as one).
struct Range {
    int64_t low;
    int64_t high;
};

constexpr Range ByteRange {0, 255};
constexpr Range WordRange {0, 65535};
constexpr Range LongRange {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
constexpr Range ColorRange {0, std::numeric_limits<uint32_t>::max()};
constexpr Range LevelRange {0, MaxLevel};
constexpr Range LanesRange {1, 255};
// The largest id is refused: no id could follow it.
constexpr Range RowIdRange {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max() - 1};
constexpr int MaxRows = MaxOrder;
// Plans are written whatever their size, so items are bounded only by the header's 32-bit file
// length: beside the header, the smallest row record and the end tag (40 bytes), no file has room
// for more of the smallest item record (a schedule entry without text, 23 bytes).
constexpr std::size_t MaxItems = (std::numeric_limits<uint32_t>::max() - 40) / 23;
// Containers nest four deep: the document, its lists, their records and an item's points.
constexpr std::size_t MaxNesting = 4;
// About twice the fields of the largest record (an item's 15), so that a misspelt field still
// gets its own message.
constexpr std::size_t MaxFields = 32;

std::string RangeText(Range range)
{
    return "(" + std::to_string(range.low) + ".." + std::to_string(range.high) + ")";
}

// Walks one record's fields into a JSON object. Ranges only matter when reading.
class JsonWriter {
public:
    JsonWriter(Json& object, std::string context, std::string& error)
        : object(object), context(std::move(context)), error(error) { }

    bool Failed() const { return failed; }

    template <typename T>
    void Number(const char* name, const T& value, Range) { object[name] = value; }
    void Derived(const char* name, int32_t value) { object[name] = value; }
    void Weight(const char* name, int32_t value, bool) { object[name] = value; }

    template <std::size_t N>
    void Text(const char* name, const char (&field)[N])
    {
        std::string text;
        if (failed)
            return;
        if (!RecordText(field, context, name, text, error)) {
            failed = true;
            return;
        }
        object[name] = std::move(text);
    }

    template <typename Point, typename Fields>
    void Object(const char* name, Point& point, Fields fields)
    {
        Json inner = Json::object();
        JsonWriter writer(inner, context, error);
        fields(writer, point);
        object[name] = std::move(inner);
    }

private:
    Json& object;
    std::string context;
    std::string& error;
    bool failed = false;
};

// Walks one record's fields out of a JSON object. A missing field keeps the record's zero; the
// first refused value ends the walk with a message naming the record and the field.
class JsonReader {
public:
    JsonReader(const Json& object, std::string context, std::string parent, std::string& error)
        : object(object), context(std::move(context)), parent(std::move(parent)), error(error) { }

    bool Failed() const { return failed; }

    bool Fail(const std::string& name, const std::string& problem)
    {
        if (!failed) {
            error = context + ": field \"" + name + "\"" + (parent.empty() ? "" : " of \"" + parent + "\"")
                + " " + problem;
            failed = true;
        }
        return false;
    }

    template <typename T>
    void Number(const char* name, T& value, Range range)
    {
        int64_t number = 0;
        if (Integer(name, range, number))
            value = static_cast<T>(number);
    }

    // Derived and state fields are recomputed on import; they are accepted and not read.
    void Derived(const char* name, int32_t&) { Allow(name); }
    void Allow(const char* name) { known.insert(name); }

    // The file keeps one byte of the weight and reads 0xBC as bold, anything else as normal, so
    // only the two weights survive; an item without text stores none.
    void Weight(const char* name, int32_t& value, bool stored)
    {
        int64_t number = 0;
        if (!Integer(name, LongRange, number))
            return;
        const bool valid = number == WeightNormal || number == WeightBold || (!stored && number == 0);
        if (!valid) {
            Fail(name, stored ? "must be 400 or 700" : "must be 0, 400 or 700");
            return;
        }
        value = static_cast<int32_t>(number);
    }

    template <std::size_t N>
    void Text(const char* name, char (&field)[N])
    {
        const Json* value = Find(name);
        if (!value)
            return;
        if (!value->is_string()) {
            Fail(name, "must be a string");
            return;
        }
        const std::string& utf8 = value->get_ref<const std::string&>();
        // A NUL would end the stored string early.
        if (utf8.find('\0') != std::string::npos) {
            Fail(name, "holds a NUL character");
            return;
        }
        std::string bytes;
        if (!ToShiftJis(QString::fromStdString(utf8), bytes)) {
            Fail(name, "cannot be encoded in code page 932");
            return;
        }
        if (bytes.size() > N) {
            Fail(name, "is longer than " + std::to_string(N) + " bytes in code page 932");
            return;
        }
        std::memcpy(field, bytes.data(), bytes.size());
    }

    template <typename Point, typename Fields>
    void Object(const char* name, Point& point, Fields fields)
    {
        const Json* value = Find(name);
        if (!value)
            return;
        if (!value->is_object()) {
            Fail(name, "must be an object");
            return;
        }
        JsonReader reader(*value, context, name, error);
        fields(reader, point);
        reader.CheckUnknownFields();
        failed = reader.Failed();
    }

    // A misspelt field would otherwise be silently dropped and stored as 0.
    void CheckUnknownFields()
    {
        if (failed)
            return;
        for (const auto& entry : object.items()) {
            if (known.count(entry.key()) == 0) {
                Fail(entry.key(), "is not a field of this record");
                return;
            }
        }
    }

private:
    const Json* Find(const char* name)
    {
        known.insert(name);
        if (failed)
            return nullptr;
        const auto found = object.find(name);
        return found == object.end() ? nullptr : &*found;
    }

    bool Integer(const char* name, Range range, int64_t& number)
    {
        const Json* value = Find(name);
        if (!value)
            return false;
        if (!value->is_number_integer())
            return Fail(name, "must be an integer");
        if (value->is_number_unsigned()) {
            const uint64_t positive = value->get<uint64_t>();
            if (positive > static_cast<uint64_t>(range.high))
                return Fail(name, "out of range " + RangeText(range));
            number = static_cast<int64_t>(positive);
        } else {
            number = value->get<int64_t>();
        }
        if (number < range.low || number > range.high)
            return Fail(name, "out of range " + RangeText(range));
        return true;
    }

    const Json& object;
    std::string context;
    std::string parent;
    std::string& error;
    std::set<std::string> known;
    bool failed = false;
};

std::string RowCountProblem()
{
    return "document: field \"rows\" must hold 1 to " + std::to_string(MaxRows) + " rows";
}

// Builds the JSON while it is parsed and stops at the first container that nests deeper or holds
// more than the format allows: the recursive copies and comparisons below must not run out of
// stack, and a file far too large is refused without being read to its end.
class BoundedJsonBuilder final : public nlohmann::json_sax<Json> {
public:
    BoundedJsonBuilder(Json& root, std::string& error) : root(root), error(error) { }

    bool null() override { return Add(nullptr); }
    bool boolean(bool value) override { return Add(value); }
    bool number_integer(number_integer_t value) override { return Add(value); }
    bool number_unsigned(number_unsigned_t value) override { return Add(value); }
    bool number_float(number_float_t value, const string_t&) override { return Add(value); }
    bool string(string_t& value) override { return Add(std::move(value)); }
    bool binary(binary_t& value) override { return Add(std::move(value)); }
    bool start_object(std::size_t) override { return Open(Json::object()); }
    bool start_array(std::size_t) override { return Open(Json::array()); }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }

    // A repeated name replaces the field's value, as the library's own parser does.
    bool key(string_t& name) override
    {
        Json& object = *open.back().value;
        member = &object[name];
        if (object.size() > MaxFields)
            return Refuse("document: an object holds more than " + std::to_string(MaxFields) + " fields");
        if (open.size() == 1)
            documentField = name;
        return true;
    }

    // Besides syntax errors, a number too large for a double is refused with out_of_range.
    bool parse_error(std::size_t, const std::string&, const Json::exception& problem) override
    {
        return Refuse(std::string("not valid JSON: ") + problem.what());
    }

private:
    // An open object or list; `list` names the document's field that the list is, if any, and
    // `count` counts a list's entries.
    struct Container {
        Json* value;
        std::string list;
        std::size_t count = 0;
    };

    bool Refuse(std::string problem)
    {
        error = std::move(problem);
        return false;
    }

    template <typename Value>
    bool Add(Value&& value) { return Place(Json(std::forward<Value>(value))) != nullptr; }

    // The value goes to the root, to the end of the open list, or to the field just named.
    Json* Place(Json&& value)
    {
        if (open.empty()) {
            root = std::move(value);
            return &root;
        }
        Container& parent = open.back();
        if (parent.value->is_object()) {
            *member = std::move(value);
            return member;
        }
        if (++parent.count > MostEntries(parent.list)) {
            Refuse(ListTooLong(parent.list));
            return nullptr;
        }
        parent.value->push_back(std::move(value));
        return &parent.value->back();
    }

    bool Open(Json&& empty)
    {
        if (open.size() == MaxNesting)
            return Refuse("document: nested more than " + std::to_string(MaxNesting) + " levels deep");
        const bool topList = open.size() == 1 && empty.is_array();
        Json* value = Place(std::move(empty));
        if (!value)
            return false;
        open.push_back({value, topList ? documentField : std::string()});
        return true;
    }

    bool Close()
    {
        open.pop_back();
        return true;
    }

    static std::size_t MostEntries(const std::string& list)
    {
        return list == "items" ? MaxItems : MaxRows;
    }

    static std::string ListTooLong(const std::string& list)
    {
        if (list == "rows")
            return RowCountProblem();
        if (list == "items")
            return "document: field \"items\" must hold at most " + std::to_string(MaxItems) + " items";
        return "document: a list holds more than " + std::to_string(MaxRows) + " values";
    }

    Json& root;
    std::string& error;
    std::vector<Container> open;
    std::string documentField;
    Json* member = nullptr;
};

// The field lists, walked alike by the writer and the reader so that the two cannot drift apart.
template <typename Io, typename Row>
void RowFields(Io& io, Row& row)
{
    io.Number("id", row.id, RowIdRange);
    io.Derived("state", row.state);
    io.Number("level", row.level, LevelRange);
    io.Number("lanes", row.lanes, LanesRange);
    io.Number("backColor", row.backColor, ColorRange);
    io.Number("textColor", row.textColor, ColorRange);
    io.Text("name", row.name);
    io.Text("person", row.person);
    io.Text("comment", row.comment);
    io.Derived("hasChildren", row.hasChildren);
}

template <typename Io, typename Point>
void PointFields(Io& io, Point& point)
{
    io.Number("rowId", point.rowId, LongRange);
    io.Number("lane", point.lane, ByteRange);
    io.Number("year", point.year, WordRange);
    io.Number("month", point.month, ByteRange);
    io.Number("day", point.day, ByteRange);
    io.Number("hour", point.hour, ByteRange);
    io.Number("minute", point.minute, ByteRange);
}

template <typename Io, typename Item>
void ItemFields(Io& io, Item& item)
{
    const auto points = [](Io& inner, auto& point) { PointFields(inner, point); };
    io.Derived("state", item.state);
    io.Object("start", item.start, points);
    io.Object("end", item.end, points);
    io.Number("lineStyle", item.lineStyle, ByteRange);
    io.Number("lineWidth", item.lineWidth, ByteRange);
    io.Number("lineColor", item.lineColor, ColorRange);
    io.Number("arrow", item.arrow, ByteRange);
    io.Number("progress", item.progress, ByteRange);
    io.Number("progressColor", item.progressColor, ColorRange);
    io.Number("boxWidth", item.boxWidth, LongRange);
    io.Number("textSize", item.textSize, ByteRange);
    io.Weight("textWeight", item.textWeight, item.type != Line);
    io.Number("textColor", item.textColor, ColorRange);
    io.Text("text", item.text);
}

bool RowsToJson(const Document& document, Json& rows, std::string& error)
{
    for (int position = 0; position < document.OrderCount(); ++position) {
        Json object = Json::object();
        JsonWriter writer(object, "row " + std::to_string(position), error);
        RowFields(writer, *document.RowAtPosition(position));
        if (writer.Failed())
            return false;
        rows.push_back(std::move(object));
    }
    return true;
}

bool ItemsToJson(const Document& document, Json& items, std::string& error)
{
    for (int index = 0; index < document.ItemCount(); ++index) {
        const ChartItem& item = *document.ItemPtr(index);
        Json object = Json::object();
        JsonWriter writer(object, "item " + std::to_string(index), error);
        object["type"] = item.type;
        ItemFields(writer, item);
        if (writer.Failed())
            return false;
        items.push_back(std::move(object));
    }
    return true;
}

// A missing list is an empty one.
bool ArrayField(const Json& json, const char* name, Json& array, std::string& error)
{
    const auto found = json.find(name);
    if (found == json.end()) {
        array = Json::array();
        return true;
    }
    if (!found->is_array()) {
        error = std::string("document: field \"") + name + "\" must be an array";
        return false;
    }
    array = *found;
    return true;
}

bool IsRecordObject(const Json& json, const std::string& context, std::string& error)
{
    if (!json.is_object())
        error = context + ": must be an object";
    return json.is_object();
}

bool RowFromJson(const Json& json, int position, std::set<int32_t>& ids, Document& document,
                 std::string& error)
{
    const std::string context = "row " + std::to_string(position);
    if (!IsRecordObject(json, context, error))
        return false;
    ProjectRow row;
    JsonReader reader(json, context, "", error);
    RowFields(reader, row);
    reader.CheckUnknownFields();
    if (reader.Failed())
        return false;
    // Items refer to rows by id; a repeated id would make that reference ambiguous.
    if (!ids.insert(row.id).second)
        return reader.Fail("id", "repeats the id of an earlier row");
    row.state = RowShown;
    return document.AppendRow(row) != 0;
}

bool ItemFromJson(const Json& json, int index, Document& document, std::string& error)
{
    const std::string context = "item " + std::to_string(index);
    if (!IsRecordObject(json, context, error))
        return false;
    ChartItem item;
    JsonReader reader(json, context, "", error);
    reader.Number("type", item.type, LongRange);
    if (reader.Failed())
        return false;
    if (!IsItemType(item.type))
        return reader.Fail("type", "is not an item type (241..247)");
    ItemFields(reader, item);
    reader.CheckUnknownFields();
    if (reader.Failed())
        return false;
    item.state = ItemNormal;
    document.AddItem(item);
    return true;
}

bool KindFromJson(const Json& json, Document& document, std::string& error)
{
    int32_t kind = 0;
    JsonReader reader(json, "document", "", error);
    reader.Number("kind", kind, LongRange);
    reader.Allow("rows");
    reader.Allow("items");
    reader.CheckUnknownFields();
    if (reader.Failed())
        return false;
    if (kind != DocumentKind::Project && kind != DocumentKind::Schedule)
        return reader.Fail("kind", "must be 1 (project) or 2 (schedule)");
    document.SetKind(kind);
    return true;
}

class SilentReporter final : public ErrorReporter {
public:
    void ShowError(std::string_view) override { }
};

// The first field given in `given` whose value differs in `stored`, "start.day" style; empty
// when none does. Fields the import recomputes are not compared.
std::string DifferingField(const Json& given, const Json& stored)
{
    for (const auto& [name, value] : given.items()) {
        const auto other = stored.find(name);
        if (name == "state" || other == stored.end() || value == *other)
            continue;
        if (!value.is_object())
            return name;
        const std::string inner = DifferingField(value, *other);
        if (!inner.empty())
            return name + "." + inner;
    }
    return {};
}

// An item record carries only the fields of its type, and the reader derives some of the others;
// a value given in the JSON that the file would not give back is refused rather than lost. The
// document then holds exactly what its file will hold.
bool StoreAsGiven(const Json& items, Document& document, std::string& error)
{
    Document reread;
    SilentReporter silent;
    Json stored;
    if (!ReadDocumentImage(reread, DocumentImage(document), silent)) {
        error = "document: its file would not read back";
        return false;
    }
    if (!DocumentToJson(reread, stored, error))
        return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string field = DifferingField(items[i], stored["items"][i]);
        if (!field.empty()) {
            error = "item " + std::to_string(i) + ": field \"" + field
                + "\" is not stored as given for this item type";
            return false;
        }
    }
    document = std::move(reread);
    return true;
}

}  // namespace

bool DocumentToJson(const Document& document, Json& json, std::string& error)
{
    json = Json::object();
    json["kind"] = document.Kind();
    json["rows"] = Json::array();
    json["items"] = Json::array();
    return RowsToJson(document, json["rows"], error) && ItemsToJson(document, json["items"], error);
}

std::string FormatDocumentJson(const Json& json)
{
    const auto list = [&json](const char* name) {
        const Json& records = json.at(name);
        if (records.empty())
            return std::string("[]");
        std::string text = "[\n";
        for (std::size_t i = 0; i < records.size(); ++i)
            text += "    " + records[i].dump() + (i + 1 < records.size() ? ",\n" : "\n");
        return text + "  ]";
    };
    return "{\n  \"kind\": " + json.at("kind").dump() + ",\n  \"rows\": " + list("rows")
        + ",\n  \"items\": " + list("items") + "\n}\n";
}

bool ParseDocumentJson(const std::string& text, Json& json, std::string& error)
{
    BoundedJsonBuilder builder(json, error);
    return Json::sax_parse(text, &builder);
}

bool DocumentFromJson(const Json& json, Document& document, std::string& error)
{
    if (!json.is_object()) {
        error = "document: must be a JSON object";
        return false;
    }
    if (!KindFromJson(json, document, error))
        return false;
    Json rows;
    Json items;
    if (!ArrayField(json, "rows", rows, error) || !ArrayField(json, "items", items, error))
        return false;
    // Every document has its project line, and the row order holds at most 256 rows.
    if (rows.empty() || rows.size() > MaxRows) {
        error = RowCountProblem();
        return false;
    }
    std::set<int32_t> ids;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!RowFromJson(rows[i], static_cast<int>(i), ids, document, error))
            return false;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!ItemFromJson(items[i], static_cast<int>(i), document, error))
            return false;
    }
    return StoreAsGiven(items, document, error);
}

}  // namespace td
