#include "persistence/DocumentFile.h"

#include "model/Document.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace td {

namespace {

constexpr char ProjectMagic[] = "TDPF";
constexpr char ScheduleMagic[] = "TDSF";
constexpr std::size_t MagicSize = 4;
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

std::size_t PathLength(const char* path) { return strnlen(path, PathSize); }

bool WriteAll(int fd, const std::vector<uint8_t>& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// The replacement keeps the mode of the file it replaces; a new file gets the mode that
// creating it directly would have given.
bool SetReplacementMode(int fd, const std::filesystem::path& path)
{
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0)
        return fchmod(fd, existing.st_mode & 07777) == 0;
    const mode_t mask = umask(0);
    umask(mask);
    return fchmod(fd, 0666 & ~mask) == 0;
}

// Durability of the rename itself; a failure here does not undo a completed save.
void SyncDirectoryOf(const std::filesystem::path& path)
{
    const std::filesystem::path parent = path.parent_path();
    const int fd = open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// Saving through a link updates the file it points to, as writing into it directly would.
std::filesystem::path ResolvedTarget(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path(path) : target;
}

// The temporary lives beside the target so that the rename stays within one file system; its
// name is short so that a target whose own name is near the limit can still be saved.
bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    if (path.empty())
        return false;
    const std::filesystem::path target = ResolvedTarget(path);
    std::string temporary = (target.parent_path() / ".tdsave-XXXXXX").string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes) && SetReplacementMode(fd, target) && fsync(fd) == 0;
    if (close(fd) != 0)
        ok = false;
    if (ok && rename(temporary.c_str(), target.c_str()) != 0)
        ok = false;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    SyncDirectoryOf(target);
    return true;
}

}  // namespace

int ReadDocument(Document& document, ErrorReporter& errors)
{
    const std::string path(document.Path(), PathLength(document.Path()));
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error)) {
        errors.ShowError(FileOpenError);
        return 0;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        errors.ShowError(FileOpenError);
        return 0;
    }
    try {
        // In blocks: a byte-wise copy took longer than parsing a large plan.
        std::vector<uint8_t> image;
        std::array<char, 65536> block;
        while (file.read(block.data(), block.size()) || file.gcount() > 0)
            image.insert(image.end(), block.begin(), block.begin() + file.gcount());
        if (file.bad()) {
            errors.ShowError(FileOpenError);
            return 0;
        }
        return ReadDocumentImage(document, image, errors);
    } catch (const std::bad_alloc&) {
        errors.ShowError(MemoryAllocationError);
        return 0;
    }
}

int ReadDocumentImage(Document& document, const std::vector<uint8_t>& image, ErrorReporter& errors)
{
    const int kind = MagicKind(image);
    if (kind == 0) {
        errors.ShowError(IncorrectFileType);
        return 0;
    }
    document.SetKind(kind);
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
    reader.Take(4);  // Total length.
    reader.Take(4);  // The constant 256.
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
    return WriteDocument(document, std::string(document.Path(), PathLength(document.Path())), errors);
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
    if (!ReplaceFile(path, image)) {
        errors.ShowError(FileOpenError);
        return 0;
    }
    return 1;
}

}  // namespace td
