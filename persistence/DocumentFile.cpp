#include "persistence/DocumentFile.h"

#include "model/Document.h"
#include "persistence/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace td {

namespace {

constexpr char ProjectMagic[] = "TDPF";
constexpr char ScheduleMagic[] = "TDSF";
constexpr std::size_t MagicSize = 4;
constexpr std::size_t HeaderCheckSize = 8;  // Magic and version.
constexpr uint32_t HeaderConstant = 256;
constexpr uint8_t BoldWeightByte = 0xBC;
constexpr int32_t NormalWeight = 400;
constexpr int32_t BoldWeight = 700;
constexpr int32_t ReadLineWidth = 16;

// Reads little-endian fields from a bounded image. A read past the end yields 0 and marks the
// reader failed, so a record is parsed whole and checked once.
class ImageReader {
public:
    explicit ImageReader(const std::vector<uint8_t>& image) : bytes(image) { }

    bool Failed() const { return failed; }

    uint32_t Take(std::size_t width)
    {
        if (failed || bytes.size() - position < width) {
            failed = true;
            return 0;
        }
        uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value |= static_cast<uint32_t>(bytes[position + i]) << (8 * i);
        position += width;
        return value;
    }

    void Byte(int32_t& value) { value = static_cast<int32_t>(Take(1)); }
    void Byte(uint8_t& value) { value = static_cast<uint8_t>(Take(1)); }
    void Word(int32_t& value) { value = static_cast<int32_t>(Take(2)); }
    void Long(int32_t& value) { value = static_cast<int32_t>(Take(4)); }
    void Long(uint32_t& value) { value = Take(4); }
    // Only the low byte of the weight is stored; the dialogs offer just these two weights.
    void Weight(int32_t& value) { value = Take(1) == BoldWeightByte ? BoldWeight : NormalWeight; }

    // Bytes beyond the field's width are skipped so the field is never overrun.
    template <std::size_t N>
    void Text(char (&field)[N])
    {
        const std::size_t length = Take(2);
        if (failed || bytes.size() - position < length) {
            failed = true;
            return;
        }
        std::memcpy(field, bytes.data() + position, std::min(length, N));
        position += length;
    }

private:
    const std::vector<uint8_t>& bytes;
    std::size_t position = 0;
    bool failed = false;
};

class ImageWriter {
public:
    std::vector<uint8_t>& Bytes() { return bytes; }

    void Put(uint32_t value, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }

    void PutAt(std::size_t offset, uint32_t value, std::size_t width)
    {
        for (std::size_t i = 0; i < width; ++i)
            bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }

    template <typename T>
    void Byte(T value) { Put(static_cast<uint32_t>(value), 1); }
    void Word(int32_t value) { Put(static_cast<uint32_t>(value), 2); }
    template <typename T>
    void Long(T value) { Put(static_cast<uint32_t>(value), 4); }
    void Weight(int32_t value) { Byte(value); }

    template <std::size_t N>
    void Text(const char (&field)[N])
    {
        const std::size_t length = FieldLength(field);
        Put(static_cast<uint32_t>(length), 2);
        bytes.insert(bytes.end(), field, field + length);
    }

    // The length field counts from itself to the record's end; it is filled in afterwards.
    std::size_t BeginRecord(int tag)
    {
        Byte(tag);
        const std::size_t lengthOffset = bytes.size();
        Put(0, 2);
        return lengthOffset;
    }

    void EndRecord(std::size_t lengthOffset)
    {
        PutAt(lengthOffset, static_cast<uint32_t>(bytes.size() - lengthOffset), 2);
    }

private:
    std::vector<uint8_t> bytes;
};

// Each record's layout is stated once and walked by both the reader and the writer, so the two
// cannot drift apart. `Io` is ImageReader or ImageWriter; the records are const when writing.
template <typename Io, typename Row>
void RowFields(Io& io, Row& row)
{
    io.Long(row.id);
    io.Byte(row.level);
    io.Byte(row.lanes);
    io.Long(row.backColor);
    io.Long(row.textColor);
    io.Text(row.name);
    io.Text(row.person);
    io.Text(row.comment);
}

template <typename Io, typename Point>
void DateFields(Io& io, Point& point)
{
    io.Word(point.year);
    io.Byte(point.month);
    io.Byte(point.day);
}

template <typename Io, typename Point>
void AnchorFields(Io& io, Point& point)
{
    io.Long(point.rowId);
    io.Byte(point.lane);
    DateFields(io, point);
}

template <typename Io, typename Item>
void TextFields(Io& io, Item& item)
{
    io.Byte(item.textSize);
    io.Weight(item.textWeight);
    io.Long(item.textColor);
    io.Text(item.text);
}

template <typename Io, typename Item>
void TaskFields(Io& io, Item& item)
{
    AnchorFields(io, item.start);
    DateFields(io, item.end);
    io.Byte(item.lineStyle);
    io.Byte(item.lineWidth);
    io.Long(item.lineColor);
    io.Byte(item.arrow);
}

// False for a type the format does not know.
template <typename Io, typename Item>
bool ItemFields(Io& io, Item& item)
{
    switch (item.type) {
    case TaskLine:
    case TaskBand:
        TaskFields(io, item);
        TextFields(io, item);
        return true;
    case Event:
        AnchorFields(io, item.start);
        io.Byte(item.lineStyle);
        io.Long(item.lineColor);
        TextFields(io, item);
        return true;
    case Progress:
        TaskFields(io, item);
        io.Byte(item.progress);
        io.Long(item.progressColor);
        TextFields(io, item);
        return true;
    case Line:
        AnchorFields(io, item.start);
        AnchorFields(io, item.end);
        io.Byte(item.lineStyle);
        io.Long(item.lineColor);
        return true;
    case TextBox:
        AnchorFields(io, item.start);
        io.Byte(item.end.lane);
        io.Byte(item.lineStyle);
        io.Long(item.lineColor);
        io.Long(item.boxWidth);
        TextFields(io, item);
        return true;
    case Schedule:
        io.Long(item.start.rowId);
        DateFields(io, item.start);
        io.Byte(item.start.hour);
        io.Byte(item.start.minute);
        io.Byte(item.end.hour);
        io.Byte(item.end.minute);
        TextFields(io, item);
        return true;
    default:
        return false;
    }
}

void FillDerivedFields(ChartItem& item)
{
    if (item.type == Event || item.type == TextBox || item.type == Schedule) {
        item.end.year = item.start.year;
        item.end.month = item.start.month;
        item.end.day = item.start.day;
    }
    if (item.type == Line || item.type == TextBox || item.type == Schedule)
        item.lineWidth = ReadLineWidth;
}

bool ReadRowRecord(ImageReader& reader, Document& document)
{
    ProjectRow row;
    RowFields(reader, row);
    if (reader.Failed())
        return false;
    // The rest of the program relies on levels 0..3 and at least one lane per row.
    row.level = std::min(row.level, MaxLevel);
    row.lanes = std::max(row.lanes, 1);
    row.state = RowShown;
    return document.AppendRow(row) != 0;
}

bool ReadItemRecord(ImageReader& reader, int tag, Document& document)
{
    ChartItem item;
    item.type = tag;
    ItemFields(reader, item);
    if (reader.Failed())
        return false;
    item.state = ItemNormal;
    FillDerivedFields(item);
    document.AddItem(item);
    return true;
}

bool ReadRecords(ImageReader& reader, Document& document)
{
    for (;;) {
        const int tag = static_cast<int>(reader.Take(1));
        if (reader.Failed())
            return false;
        if (tag == EndTag)
            return true;
        if (tag != RowTag && !IsItemType(tag))
            return false;
        reader.Take(2);  // The record length; fields are parsed by type.
        const bool read = tag == RowTag ? ReadRowRecord(reader, document)
                                        : ReadItemRecord(reader, tag, document);
        if (!read)
            return false;
    }
}

// How many item records follow `at`, counted by their length fields alone, so that the item table
// is made once for them instead of growing, and copying, as they are read. A damaged length only
// makes the count a poor guess (the records themselves are read field by field); records shorter
// than any item's fields are not counted, so the guess never asks for more room than a file of
// real items this long would need.
int CountItemRecords(const std::vector<uint8_t>& image, std::size_t at)
{
    constexpr std::size_t ShortestItem = 16;
    int count = 0;
    while (at + 3 <= image.size() && (image[at] == RowTag || IsItemType(image[at]))) {
        const std::size_t length = image[at + 1] | image[at + 2] << 8;
        if (length < 2)
            break;
        count += image[at] != RowTag && length >= ShortestItem;
        at += 1 + length;
    }
    return count;
}

int MagicKind(const std::vector<uint8_t>& image)
{
    if (image.size() < MagicSize)
        return 0;
    if (std::memcmp(image.data(), ProjectMagic, MagicSize) == 0)
        return DocumentKind::Project;
    if (std::memcmp(image.data(), ScheduleMagic, MagicSize) == 0)
        return DocumentKind::Schedule;
    return 0;
}

// The kind named by the magic, once the version is known to be readable; 0 after reporting why
// the bytes are not a plan this program reads. Only the first 8 bytes are looked at, so a file is
// judged before the rest of it is read.
int HeaderKind(const std::vector<uint8_t>& image, ErrorReporter& errors)
{
    const int kind = MagicKind(image);
    if (kind == 0) {
        errors.ShowError(IncorrectFileType);
        return 0;
    }
    ImageReader reader(image);
    reader.Take(MagicSize);
    const uint32_t version = reader.Take(4);
    // A file cut off inside its header is a damaged file of a known type, not a newer format.
    if (reader.Failed()) {
        errors.ShowError(DataError);
        return 0;
    }
    if (version > FormatVersion) {
        errors.ShowError(UnknownFileFormat);
        return 0;
    }
    return kind;
}

// Appends up to `limit` bytes (everything when 0); false on a read error.
bool ReadInto(int fd, std::vector<uint8_t>& bytes, std::size_t limit)
{
    constexpr std::size_t Chunk = 65536;
    for (;;) {
        const std::size_t room = bytes.capacity() - bytes.size();
        const std::size_t want = limit ? limit - bytes.size() : room > 0 ? room : Chunk;
        if (want == 0)
            return true;
        const std::size_t used = bytes.size();
        bytes.resize(used + want);
        const ssize_t got = read(fd, bytes.data() + used, want);
        if (got < 0 && errno == EINTR) {
            bytes.resize(used);
            continue;
        }
        bytes.resize(used + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got <= 0)
            return got == 0;
    }
}

// The header first, then, only for a plan of a readable version, the rest.
bool ReadImage(int fd, std::vector<uint8_t>& image, ErrorReporter& errors)
{
    if (!ReadInto(fd, image, HeaderCheckSize)) {
        errors.ShowError(FileOpenError);
        return false;
    }
    if (HeaderKind(image, errors) == 0)
        return false;
    // A plan of megabytes is read into room made once, not grown and copied chunk by chunk; one
    // byte more sees the end of a file that has not grown meanwhile.
    struct stat status {};
    if (fstat(fd, &status) == 0 && status.st_size > 0)
        image.reserve(static_cast<std::size_t>(status.st_size) + 1);
    if (!ReadInto(fd, image, 0)) {
        errors.ShowError(FileOpenError);
        return false;
    }
    return true;
}

}  // namespace

std::string DocumentPath(const Document& document)
{
    return std::string(document.Path(), strnlen(document.Path(), PathSize));
}

int ReadDocument(Document& document, ErrorReporter& errors)
{
    // Anything but a regular file (a directory, a FIFO, a device) is refused before it is read.
    const int fd = OpenRegularFile(DocumentPath(document));
    if (fd < 0) {
        errors.ShowError(FileOpenError);
        return 0;
    }
    std::vector<uint8_t> image;
    bool read = false;
    try {
        read = ReadImage(fd, image, errors);
    } catch (const std::bad_alloc&) {
        errors.ShowError(MemoryAllocationError);
    }
    close(fd);
    return read ? ReadDocumentImage(document, image, errors) : 0;
}

int ReadDocumentImage(Document& document, const std::vector<uint8_t>& image, ErrorReporter& errors)
{
    const int kind = HeaderKind(image, errors);
    if (kind == 0)
        return 0;
    document.SetKind(kind);
    ImageReader reader(image);
    reader.Take(MagicSize);
    reader.Take(4);  // Version, checked above.
    reader.Take(4);  // Total length.
    reader.Take(4);  // The constant 256.
    document.ReserveItems(CountItemRecords(image, MagicSize + 12));
    if (!ReadRecords(reader, document)) {
        errors.ShowError(DataError);
        return 0;
    }
    return kind;
}

std::vector<uint8_t> DocumentImage(const Document& document)
{
    ImageWriter writer;
    writer.Bytes().resize(16);
    for (int position = 0; position < document.OrderCount(); ++position) {
        const std::size_t record = writer.BeginRecord(RowTag);
        RowFields(writer, *document.RowAtPosition(position));
        writer.EndRecord(record);
    }
    for (int index = 0; index < document.ItemCount(); ++index) {
        const ChartItem& item = *document.ItemPtr(index);
        if (!IsItemType(item.type))
            continue;
        const std::size_t record = writer.BeginRecord(item.type);
        ItemFields(writer, item);
        writer.EndRecord(record);
    }
    writer.Byte(EndTag);

    const char* magic = document.Kind() == DocumentKind::Project ? ProjectMagic : ScheduleMagic;
    std::vector<uint8_t>& bytes = writer.Bytes();
    std::memcpy(bytes.data(), magic, MagicSize);
    writer.PutAt(4, FormatVersion, 4);
    writer.PutAt(8, static_cast<uint32_t>(bytes.size()), 4);
    writer.PutAt(12, HeaderConstant, 4);
    return std::move(bytes);
}

int WriteDocument(const Document& document, ErrorReporter& errors)
{
    return WriteDocument(document, DocumentPath(document), errors);
}

int WriteDocument(const Document& document, const std::string& path, ErrorReporter& errors)
{
    std::vector<uint8_t> image;
    try {
        image = DocumentImage(document);
    } catch (const std::bad_alloc&) {
        errors.ShowError(MemoryAllocationError);
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
    if (!ReplaceFile(path, bytes)) {
        errors.ShowError(FileOpenError);
        return 0;
    }
    return 1;
}

}  // namespace td
