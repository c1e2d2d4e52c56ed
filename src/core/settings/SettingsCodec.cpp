#include "core/settings/SettingsCodec.h"

#include "core/shell/IDListBytes.h"

#include "core/settings/AnsiText.h"
#include "core/settings/TextList.h"

#include <cassert>
#include <cstring>
#include <string_view>

namespace {

constexpr size_t kPathField = 261;  // 260 bytes of text and a terminator
constexpr size_t kTextField = 1025; // 1024 bytes of text and a terminator

constexpr size_t kBandRecord = 4 + 4 + 1 + 1;
constexpr size_t kColumnRecord = 4 + 4 + 4;
// Bounds, view style, sort key, lock, filter name, no columns, no folder.
constexpr size_t kMinWindowRecord = 4 * 4 + 3 * 4 + 1 + kTextField + 4 + 4;
constexpr size_t kFilterRecord = 2 * kTextField + 5 * 4 + 2 * 8 + 5 * 4;
static_assert(kMinWindowRecord == 1062 && kFilterRecord == 2106);
static_assert(kSettingsEmptyListsSize == kSettingsFixedPartSize + 4 + 4 + kTextField);

// The layout is described once, by the visitors below, and walked by both
// the writer and the reader, so the two cannot drift apart. At() checks the
// offsets of the fixed part, which are those of the file format.

class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}

    void At([[maybe_unused]] size_t offset) const { assert(out_.size() == offset); }

    void Byte(const uint8_t& v) { out_.push_back(v); }
    void Bool(const bool& v) { out_.push_back(v ? 1 : 0); }
    void U16(const uint16_t& v)
    {
        out_.push_back(uint8_t(v));
        out_.push_back(uint8_t(v >> 8));
    }
    void U32(const uint32_t& v)
    {
        for (int shift = 0; shift < 32; shift += 8) out_.push_back(uint8_t(v >> shift));
    }
    void I32(const int32_t& v) { U32(uint32_t(v)); }
    // An 8-bit enumeration stored zero-extended in four bytes.
    void Enum(const uint8_t& v) { U32(v); }
    void F64(const double& v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        for (int shift = 0; shift < 64; shift += 8) out_.push_back(uint8_t(bits >> shift));
    }
    void Text(const std::string& text, size_t field)
    {
        // A reader stops at the first zero byte; so does the text.
        std::string_view view(text);
        view = view.substr(0, view.find('\0'));
        Field(CutAnsiText(view, field - 1), field);
    }
    void List(const std::vector<std::string>& entries, size_t field)
    {
        Field(JoinTextList(entries, field - 1), field);
    }
    void Bytes(const std::vector<uint8_t>& bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

private:
    // The bytes after the terminator are zeroed, so that equal settings
    // give equal files.
    void Field(const std::string& text, size_t field)
    {
        out_.insert(out_.end(), text.begin(), text.end());
        out_.resize(out_.size() + field - text.size(), 0);
    }

    std::vector<uint8_t>& out_;
};

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Stopped() const { return stopped_; }
    size_t Pos() const { return pos_; }
    size_t Left() const { return size_ - pos_; }

    // Names the part being read, for the problem text.
    void Where(const char* part, size_t index = kNoIndex)
    {
        part_ = part;
        index_ = index;
    }
    void At(size_t offset)
    {
        assert(stopped_ || pos_ == offset);
        Where("fixed field at offset", offset);
    }

    void Byte(uint8_t& v)
    {
        if (const uint8_t* p = Take(1)) v = p[0];
    }
    void Bool(bool& v)
    {
        if (const uint8_t* p = Take(1)) v = p[0] != 0;
    }
    void U16(uint16_t& v)
    {
        if (const uint8_t* p = Take(2)) v = uint16_t(p[0] | p[1] << 8);
    }
    void U32(uint32_t& v)
    {
        if (const uint8_t* p = Take(4)) v = Le32(p);
    }
    void I32(int32_t& v)
    {
        if (const uint8_t* p = Take(4)) v = int32_t(Le32(p));
    }
    void Enum(uint8_t& v)
    {
        if (const uint8_t* p = Take(4)) v = p[0];
    }
    void F64(double& v)
    {
        if (const uint8_t* p = Take(8)) {
            uint64_t bits = uint64_t(Le32(p + 4)) << 32 | Le32(p);
            std::memcpy(&v, &bits, sizeof v);
        }
    }
    void Text(std::string& text, size_t field)
    {
        if (const uint8_t* p = Take(field)) text = FieldText(p, field);
    }
    void List(std::vector<std::string>& entries, size_t field)
    {
        if (const uint8_t* p = Take(field)) entries = SplitTextList(FieldText(p, field));
    }
    void Bytes(std::vector<uint8_t>& bytes, size_t count)
    {
        if (const uint8_t* p = Take(count)) bytes.assign(p, p + count);
    }

    // A count of records at least `minRecord` bytes each. One that cannot
    // fit in the bytes left stops the reading before anything is allocated.
    bool Count(uint32_t& count, size_t minRecord)
    {
        size_t at = pos_;
        uint32_t value = 0;
        U32(value);
        if (stopped_) return false;
        if (value > Left() / minRecord) {
            Stop("implausible " + Part() + ": " + std::to_string(value) + " at byte " + std::to_string(at) +
                 " with " + std::to_string(Left()) + " bytes left");
            return false;
        }
        count = value;
        return true;
    }

    // A fault after which the reading cannot go on.
    void Stop(const std::string& problem)
    {
        Damage(problem);
        stopped_ = true;
    }
    // A fault the reading can step over; the first one is reported.
    void Damage(const std::string& problem)
    {
        if (!damaged_) problem_ = problem;
        damaged_ = true;
    }

    TSettingsReadResult Result() const { return {damaged_, problem_, pos_}; }

private:
    static constexpr size_t kNoIndex = size_t(-1);

    static uint32_t Le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

    static std::string FieldText(const uint8_t* p, size_t field)
    {
        const void* zero = std::memchr(p, 0, field);
        size_t length = zero ? size_t(static_cast<const uint8_t*>(zero) - p) : field;
        return std::string(reinterpret_cast<const char*>(p), length);
    }

    std::string Part() const
    {
        std::string text = part_;
        if (index_ != kNoIndex) {
            text += ' ';
            text += std::to_string(index_);
        }
        return text;
    }

    // A field is used only when all of its bytes are there.
    const uint8_t* Take(size_t n)
    {
        if (stopped_) return nullptr;
        if (Left() < n) {
            Stop("file ends at byte " + std::to_string(size_) + " inside " + Part());
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool stopped_ = false;
    bool damaged_ = false;
    std::string problem_;
    const char* part_ = "";
    size_t index_ = kNoIndex;
};

template <class Io, class Data>
void FixedPart(Io& io, Data& d)
{
    io.At(0);     io.I32(d.Reserved);
    io.At(4);     io.Text(d.FavoritesFolder, kPathField);
    io.At(265);   io.I32(d.WindowLeft);
    io.At(269);   io.I32(d.WindowTop);
    io.At(273);   io.I32(d.WindowWidth);
    io.At(277);   io.I32(d.WindowHeight);
    io.At(281);   io.I32(d.TreePanelWidth);
    io.At(285);   io.Bool(d.AutoSaveOnExit);
    io.At(286);   io.Bool(d.HotTrack);
    io.At(287);   io.Bool(d.StatusBarVisible);
    io.At(288);   io.Bool(d.IncludeHidden);
    io.At(289);   io.Bool(d.Filtering);
    io.At(290);   io.U32(d.TreeColor);
    io.At(294);   io.Text(d.TreeFont.Name, kTextField);
    io.At(1319);  io.U32(d.TreeFont.Color);
    io.At(1323);  io.I32(d.TreeFont.Size);
    io.At(1327);  io.Byte(d.TreeFont.Style);
    io.At(1328);  io.Enum(d.NewViewStyle);
    io.At(1332);  io.U32(d.ListColor);
    io.At(1336);  io.Text(d.ListFont.Name, kTextField);
    io.At(2361);  io.U32(d.ListFont.Color);
    io.At(2365);  io.I32(d.ListFont.Size);
    io.At(2369);  io.Byte(d.ListFont.Style);
    io.At(2370);  io.U32(d.LockedColor);
    io.At(2374);  io.Text(d.LockedFont.Name, kTextField);
    io.At(3399);  io.U32(d.LockedFont.Color);
    io.At(3403);  io.I32(d.LockedFont.Size);
    io.At(3407);  io.Byte(d.LockedFont.Style);
    io.At(3408);  io.U16(d.ShVirtuaItems);
    io.At(3410);  io.U32(d.ArchiveColor);
    io.At(3414);  io.U32(d.HiddenColor);
    io.At(3418);  io.U32(d.ReadOnlyColor);
    io.At(3422);  io.U32(d.SystemColor);
    io.At(3426);  io.U32(d.DirectoryColor);
    io.At(3430);  io.U32(d.CompressedColor);
    io.At(3434);  io.U32(d.OfflineColor);
    io.At(3438);  io.U32(d.TemporaryColor);
    io.At(3442);  io.Bool(d.SeqHeaderParent);
    io.At(3443);  io.Text(d.SeqHeaderText1, kTextField);
    io.At(4468);  io.Text(d.SeqHeaderText2, kTextField);
    io.At(5493);  io.Bool(d.SeqFooterParent);
    io.At(5494);  io.Text(d.SeqFooterText1, kTextField);
    io.At(6519);  io.Text(d.SeqFooterText2, kTextField);
    io.At(7544);  io.I32(d.SeqDigits);
    io.At(7548);  io.I32(d.SeqStart);
    io.At(7552);  io.I32(d.SeqStep);
    io.At(7556);  io.Bool(d.RenHeaderParent);
    io.At(7557);  io.Bool(d.RenHeaderOriginal);
    io.At(7558);  io.Text(d.RenHeaderText1, kTextField);
    io.At(8583);  io.Text(d.RenHeaderText2, kTextField);
    io.At(9608);  io.Bool(d.RenFooterParent);
    io.At(9609);  io.Bool(d.RenFooterOriginal);
    io.At(9610);  io.Text(d.RenFooterText1, kTextField);
    io.At(10635); io.Text(d.RenFooterText2, kTextField);
    io.At(11660); io.I32(d.RenDigits);
    io.At(11664); io.I32(d.RenStart);
    io.At(11668); io.I32(d.RenStep);
    io.At(11672); io.I32(d.RenExtMode);
    io.At(11676); io.Text(d.RenExtText, kTextField);
    io.At(12701); io.U32(d.ToolColor);
    io.At(12705); io.I32(d.ToolTransparency);
    io.At(12709); io.I32(d.NavigatorLeft);
    io.At(12713); io.I32(d.NavigatorTop);
    io.At(12717); io.Bool(d.NavigatorVisible);
    io.At(12718); io.Text(d.PluginFolder, kPathField);
    io.At(12979); io.I32(d.ViewerHeight);
    io.At(12983); io.Bool(d.ViewerVisible);
    io.At(12984); io.I32(d.WheelMode);
    io.At(12988); // the band count follows
}

template <class Io, class Band>
void BandRecord(Io& io, Band& b)
{
    io.I32(b.ID);
    io.I32(b.Width);
    io.Bool(b.Visible);
    io.Bool(b.Break);
}

// A window record up to its column count.
template <class Io, class Window>
void WindowHead(Io& io, Window& w)
{
    io.I32(w.Left);
    io.I32(w.Top);
    io.I32(w.Width);
    io.I32(w.Height);
    io.Enum(w.WindowState);
    io.Enum(w.ViewStyle);
    io.Enum(w.SortType);
    io.Bool(w.FolderLock);
    io.Text(w.FilterName, kTextField);
}

template <class Io, class Column>
void ColumnRecord(Io& io, Column& c)
{
    io.I32(c.ID);
    io.I32(c.Width);
    io.I32(c.SortDirection);
}

template <class Io, class Filter>
void FilterRecord(Io& io, Filter& f)
{
    io.Text(f.Name, kTextField);
    io.List(f.Masks, kTextField);
    io.U32(f.Conditions);
    io.I32(f.Size1);
    io.I32(f.Size2);
    io.I32(f.SizeCompare1);
    io.I32(f.SizeCompare2);
    io.F64(f.Date1);
    io.F64(f.Date2);
    io.I32(f.DateCompare1);
    io.I32(f.DateCompare2);
    io.U32(f.AttrFlags);
    io.U32(f.KindFlags);
    io.I32(f.FilterMode);
}

size_t EncodedSize(const TInitData& d)
{
    size_t size = kSettingsEmptyListsSize + d.Bands.size() * kBandRecord + d.Filters.size() * kFilterRecord;
    for (const TWindowData& w : d.Windows) size += kMinWindowRecord + w.Columns.size() * kColumnRecord + w.IDList.size();
    return size;
}

} // namespace

std::vector<uint8_t> EncodeSettings(const TInitData& data)
{
    std::vector<uint8_t> out;
    out.reserve(EncodedSize(data));
    Writer w(out);

    FixedPart(w, data);
    w.U32(uint32_t(data.Bands.size()));
    for (const TBandData& band : data.Bands) BandRecord(w, band);

    w.U32(uint32_t(data.Windows.size()));
    static const std::vector<uint8_t> kNoFolder;
    for (const TWindowData& window : data.Windows) {
        WindowHead(w, window);
        w.U32(uint32_t(window.Columns.size()));
        for (const TColumnData& column : window.Columns) ColumnRecord(w, column);
        // A list the reader would refuse is not written at all.
        const std::vector<uint8_t>& idList =
            IsSoundIDList(window.IDList.data(), window.IDList.size()) ? window.IDList : kNoFolder;
        w.U32(uint32_t(idList.size()));
        w.Bytes(idList);
    }

    w.U32(uint32_t(data.Filters.size()));
    for (const auto& filter : data.Filters) FilterRecord(w, *filter);

    w.List(data.FileTypes, kTextField);
    return out;
}

TSettingsReadResult DecodeSettings(const uint8_t* data, size_t size, TInitData& into)
{
    Reader r(data, size);
    FixedPart(r, into);

    uint32_t count = 0;
    r.Where("band count");
    if (r.Count(count, kBandRecord)) {
        for (uint32_t i = 0; i < count; ++i) {
            r.Where("band record", i);
            TBandData band;
            BandRecord(r, band);
            if (r.Stopped()) break;
            into.Bands.push_back(band);
        }
    }

    r.Where("window count");
    if (r.Count(count, kMinWindowRecord)) {
        for (uint32_t i = 0; i < count; ++i) {
            r.Where("window record", i);
            TWindowData window;
            WindowHead(r, window);
            uint32_t columns = 0;
            r.Where("column count of window record", i);
            if (r.Count(columns, kColumnRecord)) {
                r.Where("window record", i);
                for (uint32_t j = 0; j < columns; ++j) {
                    TColumnData column;
                    ColumnRecord(r, column);
                    if (r.Stopped()) break;
                    window.Columns.push_back(column);
                }
            }
            uint32_t length = 0;
            r.Where("item identifier list length of window record", i);
            if (r.Count(length, 1)) {
                r.Where("window record", i);
                r.Bytes(window.IDList, length);
            }
            if (r.Stopped()) break;
            // The length kept the reading in step, so only this record is lost.
            if (!IsSoundIDList(window.IDList.data(), window.IDList.size())) {
                r.Damage("window record " + std::to_string(i) + " holds an unsound item identifier list");
                continue;
            }
            into.Windows.push_back(std::move(window));
        }
    }

    r.Where("filter count");
    if (r.Count(count, kFilterRecord)) {
        for (uint32_t i = 0; i < count; ++i) {
            r.Where("filter record", i);
            // A record starts from a new filter, as the dialog's do.
            auto filter = std::make_unique<TSHFileFilter>();
            FilterRecord(r, *filter);
            if (r.Stopped()) break;
            into.Filters.push_back(std::move(filter));
        }
    }

    r.Where("file-type list");
    r.List(into.FileTypes, kTextField);

    if (!r.Stopped() && r.Left() > 0)
        r.Damage(std::to_string(r.Left()) + " bytes after the last field, from byte " + std::to_string(r.Pos()));
    return r.Result();
}
