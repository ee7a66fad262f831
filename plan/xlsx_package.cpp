#include "plan/xlsx_package.h"

#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <array>
#include <cstdint>
#include <exception>
#include <map>
#include <utility>

namespace varnel {

namespace {

// --- parts and their names ---------------------------------------------------

// A zip archive's entries, read through liborcus.
class archive {
public:
    explicit archive(std::string_view bytes)
        : stream_(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
          zip_(&stream_) {
        zip_.load();
    }
    std::optional<std::string> read(const std::string& name) const {
        std::vector<unsigned char> data;
        if (!zip_.read_file_entry(name, data)) return std::nullopt;
        return std::string(data.begin(), data.end());
    }
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < zip_.get_file_entry_count(); ++i) {
            all.emplace_back(zip_.get_file_entry_name(i));
        }
        return all;
    }

private:
    orcus::zip_archive_stream_blob stream_;
    orcus::zip_archive zip_;
};

// "xl/workbook.xml" lies in "xl/"; the package itself in "".
std::string folder_of(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// The relationships of a part ("" the package's own).
std::string relationships_of(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    const std::size_t name = slash == std::string_view::npos ? 0 : slash + 1;
    return std::string(part.substr(0, name)) + "_rels/" + std::string(part.substr(name)) + ".rels";
}

// The folder whose parts a relationships part speaks of: "xl/" for
// "xl/_rels/workbook.xml.rels"; none for a part that holds no relationships.
std::optional<std::string> source_folder(std::string_view name) {
    if (!name.ends_with(".rels")) return std::nullopt;
    const std::size_t at = name.rfind("_rels/");
    if (at == std::string_view::npos || (at > 0 && name[at - 1] != '/')) return std::nullopt;
    if (name.find('/', at + 6) != std::string_view::npos) return std::nullopt;
    return std::string(name.substr(0, at));
}

std::vector<std::string_view> segments(std::string_view path) {
    std::vector<std::string_view> out;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view s = path.substr(0, slash);
        if (s == "..") {
            if (!out.empty()) out.pop_back();
        } else if (!s.empty() && s != ".") {
            out.push_back(s);
        }
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return out;
}

std::string joined(const std::vector<std::string_view>& parts, std::size_t from = 0) {
    std::string s;
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (!s.empty()) s += '/';
        s += parts[i];
    }
    return s;
}

// The part a target names from `folder`: an absolute name from the package's
// root, any other from the folder.
std::string resolved(std::string_view folder, std::string_view target) {
    if (target.starts_with('/')) return joined(segments(target));
    return joined(segments(std::string(folder) + std::string(target)));
}

// The same part named from `folder`, as liborcus follows a target.
std::string relative_target(std::string_view folder, std::string_view part) {
    const std::vector<std::string_view> from = segments(folder), to = segments(part);
    std::size_t common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
    std::string s;
    for (std::size_t i = common; i < from.size(); ++i) s += "../";
    return s + joined(to, common);
}

// --- reading XML through liborcus's parser ------------------------------------

struct attribute {
    std::string prefix, name, value;
};

// Gathers each element's attributes, which the parser reports before the
// element itself.
class element_reader : public orcus::sax_handler {
public:
    void attribute(const orcus::sax::parser_attribute& a) {
        pending_.push_back({std::string(a.ns), std::string(a.name), std::string(a.value)});
    }

protected:
    std::vector<varnel::attribute> take_attributes() { return std::exchange(pending_, {}); }
    static const std::string* value_of(const std::vector<varnel::attribute>& attributes,
                                       std::string_view name) {
        for (const varnel::attribute& a : attributes) {
            if (a.prefix.empty() && a.name == name) return &a.value;
        }
        return nullptr;
    }

private:
    std::vector<varnel::attribute> pending_;
};

// Liborcus 0.17's parser looks a few characters past the end of XML that is
// cut off inside a tag; it is handed a copy with room behind it to look at.
constexpr std::size_t parser_overrun = 64;

template <class Reader>
bool parse(const std::string& xml, Reader& reader) {
    std::string padded = xml;
    padded.append(parser_overrun, '\0');
    try {
        orcus::sax_parser<Reader> parser(padded.data(), xml.size(), reader);
        parser.parse();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

struct relationship {
    std::vector<attribute> attributes;
    std::string type, target;
    bool external = false;
};

class relationships_reader : public element_reader {
public:
    std::vector<relationship> found;
    void start_element(const orcus::sax::parser_element& e) {
        std::vector<varnel::attribute> a = take_attributes();
        if (e.name != "Relationship") return;
        relationship r;
        if (const std::string* v = value_of(a, "Type")) r.type = *v;
        if (const std::string* v = value_of(a, "Target")) r.target = *v;
        if (const std::string* v = value_of(a, "TargetMode")) r.external = *v == "External";
        r.attributes = std::move(a);
        found.push_back(std::move(r));
    }
};

// The text of <t> elements within the element named `holder` (a shared
// string's <si> or a cell's <is>), leaving out phonetic runs (<rPh>).
class text_runs {
public:
    void start(std::string_view name) {
        if (name == "rPh") ++phonetic_;
        if (name == "t" && phonetic_ == 0) in_text_ = true;
    }
    void end(std::string_view name) {
        if (name == "rPh" && phonetic_ > 0) --phonetic_;
        if (name == "t") in_text_ = false;
    }
    void characters(std::string_view s) {
        if (in_text_) text_ += s;
    }
    std::string take() {
        phonetic_ = 0;
        in_text_ = false;
        return std::exchange(text_, {});
    }

private:
    int phonetic_ = 0;
    bool in_text_ = false;
    std::string text_;
};

class shared_strings_reader : public element_reader {
public:
    std::vector<std::string> strings;
    void start_element(const orcus::sax::parser_element& e) {
        take_attributes();
        if (e.name == "si") {
            in_string_ = true;
            runs_.take();
        } else if (in_string_) {
            runs_.start(e.name);
        }
    }
    void end_element(const orcus::sax::parser_element& e) {
        if (e.name == "si" && in_string_) {
            strings.push_back(runs_.take());
            in_string_ = false;
        } else if (in_string_) {
            runs_.end(e.name);
        }
    }
    void characters(std::string_view s, bool) {
        if (in_string_) runs_.characters(s);
    }

private:
    bool in_string_ = false;
    text_runs runs_;
};

std::string escaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string qualified(std::string_view prefix, std::string_view name) {
    return prefix.empty() ? std::string(name) : std::string(prefix) + ':' + std::string(name);
}

// A sheet's cells whose text liborcus passes over: inline strings, and the
// text of a t="str" cell that holds no formula. Each is to become a
// shared-string cell whose index counts on from `first_index`.
class inline_cells_reader : public element_reader {
public:
    struct splice {
        std::size_t begin, end;
        std::string replacement;
    };
    explicit inline_cells_reader(std::size_t first_index) : next_index_(first_index) {}
    std::vector<splice> splices;
    std::vector<std::string> strings;

    void start_element(const orcus::sax::parser_element& e) {
        std::vector<varnel::attribute> a = take_attributes();
        if (e.name == "c") {
            const std::string* type = value_of(a, "t");
            kind_ = !type                  ? cell::other
                    : *type == "inlineStr" ? cell::inline_string
                    : *type == "str"       ? cell::plain_string
                                           : cell::other;
            begin_ = static_cast<std::size_t>(e.begin_pos);
            prefix_ = std::string(e.ns);
            attributes_ = std::move(a);
            formula_ = false;
            value_.clear();
            runs_.take();
        } else if (kind_ == cell::inline_string) {
            runs_.start(e.name);
        } else if (kind_ == cell::plain_string) {
            if (e.name == "f") formula_ = true;
            in_value_ = e.name == "v";
        }
    }
    void end_element(const orcus::sax::parser_element& e) {
        if (e.name != "c") {
            if (kind_ == cell::inline_string) runs_.end(e.name);
            in_value_ = false;
            return;
        }
        const cell kind = std::exchange(kind_, cell::other);
        if (kind == cell::other || (kind == cell::plain_string && formula_)) return;
        std::string tag = '<' + qualified(prefix_, "c");
        for (const varnel::attribute& a : attributes_) {
            if (a.prefix.empty() && a.name == "t") continue;
            tag += ' ' + qualified(a.prefix, a.name) + "=\"" + escaped(a.value) + '"';
        }
        const std::string v = qualified(prefix_, "v");
        tag += " t=\"s\"><" + v + '>' + std::to_string(next_index_++) + "</" + v + "></" +
               qualified(prefix_, "c") + '>';
        splices.push_back({begin_, static_cast<std::size_t>(e.end_pos), std::move(tag)});
        strings.push_back(kind == cell::inline_string ? runs_.take() : std::move(value_));
    }
    void characters(std::string_view s, bool) {
        if (kind_ == cell::inline_string) runs_.characters(s);
        if (kind_ == cell::plain_string && in_value_) value_ += s;
    }

private:
    enum class cell { other, inline_string, plain_string };
    std::size_t next_index_;
    cell kind_ = cell::other;
    bool formula_ = false, in_value_ = false;
    std::size_t begin_ = 0;
    std::string prefix_, value_;
    std::vector<varnel::attribute> attributes_;
    text_runs runs_;
};

std::string with_splices(const std::string& xml,
                         const std::vector<inline_cells_reader::splice>& splices) {
    std::string out;
    std::size_t at = 0;
    for (const auto& s : splices) {
        if (s.begin < at || s.end > xml.size() || s.end < s.begin) return xml;
        out.append(xml, at, s.begin - at);
        out += s.replacement;
        at = s.end;
    }
    out.append(xml, at, std::string::npos);
    return out;
}

std::string relationships_xml(const std::vector<relationship>& rels) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const relationship& r : rels) {
        xml += "<Relationship";
        for (const attribute& a : r.attributes) {
            const std::string& value = a.prefix.empty() && a.name == "Target" ? r.target : a.value;
            xml += ' ' + qualified(a.prefix, a.name) + "=\"" + escaped(value) + '"';
        }
        xml += "/>";
    }
    return xml + "</Relationships>";
}

// --- writing the mended package -----------------------------------------------

constexpr std::array<std::uint32_t, 256> crc_table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}();

std::uint32_t crc32(std::string_view data) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (char b : data) c = crc_table[(c ^ static_cast<unsigned char>(b)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFFu);
    out += static_cast<char>((v >> 8) & 0xFFu);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

bool has_type(const relationship& r, std::string_view kind) {
    return !r.external && r.type.size() > kind.size() && r.type.ends_with(kind) &&
           r.type[r.type.size() - kind.size() - 1] == '/';
}

// Far more than any packing list's parts hold; a package that unpacks to
// more is handed to liborcus as it is.
constexpr std::size_t most_unpacked = 256u << 20;

class package_mending {
public:
    explicit package_mending(std::string_view bytes) : bytes_(bytes), zip_(bytes) {}

    std::optional<xlsx_package> run() {
        read_relationships();
        xlsx_package package;
        const std::vector<std::string> books = targets("", "officeDocument");
        if (!books.empty()) {
            const std::vector<std::string> strings = targets(books.front(), "sharedStrings");
            if (!strings.empty() && !read_shared_strings(strings.front(), package)) {
                return std::nullopt;
            }
            for (const std::string& sheet : targets(books.front(), "worksheet")) {
                if (!move_inline_strings(sheet, package)) return std::nullopt;
            }
        }
        if (mended_.empty()) {
            package.bytes = std::string(bytes_);
            return package;
        }
        std::optional<std::string> bytes = repacked();
        if (!bytes) return std::nullopt;
        package.bytes = std::move(*bytes);
        return package;
    }

private:
    // Every relationship that names its target from the package's root is
    // named again from its source's folder, as liborcus follows it.
    void read_relationships() {
        for (const std::string& name : zip_.names()) {
            const std::optional<std::string> folder = source_folder(name);
            if (!folder) continue;
            const std::optional<std::string> xml = zip_.read(name);
            relationships_reader reader;
            if (!xml || !parse(*xml, reader)) continue;
            bool absolute = false;
            for (relationship& r : reader.found) {
                if (r.external || !r.target.starts_with('/')) continue;
                r.target = relative_target(*folder, resolved(*folder, r.target));
                absolute = true;
            }
            if (absolute) mended_[name] = relationships_xml(reader.found);
            relationships_[name] = std::move(reader.found);
        }
    }

    // The parts `part` ("" the package) names with relationships of `kind`.
    std::vector<std::string> targets(const std::string& part, std::string_view kind) const {
        std::vector<std::string> found;
        const auto rels = relationships_.find(relationships_of(part));
        if (rels == relationships_.end()) return found;
        for (const relationship& r : rels->second) {
            if (has_type(r, kind)) found.push_back(resolved(folder_of(part), r.target));
        }
        return found;
    }

    bool read_shared_strings(const std::string& part, xlsx_package& package) const {
        const std::optional<std::string> xml = zip_.read(part);
        if (!xml) return true;  // liborcus reads none either
        shared_strings_reader reader;
        if (!parse(*xml, reader)) return false;
        package.strings = std::move(reader.strings);
        return true;
    }

    bool move_inline_strings(const std::string& part, xlsx_package& package) {
        const std::optional<std::string> xml = zip_.read(part);
        if (!xml) return true;
        inline_cells_reader reader(package.strings.size());
        if (!parse(*xml, reader)) return false;
        if (reader.splices.empty()) return true;
        mended_[part] = with_splices(*xml, reader.splices);
        for (std::string& s : reader.strings) package.strings.push_back(std::move(s));
        return true;
    }

    std::optional<std::string> repacked() const {
        std::vector<std::pair<std::string, std::string>> parts;
        std::size_t unpacked = 0;
        for (const std::string& name : zip_.names()) {
            if (name.ends_with('/')) continue;
            const auto m = mended_.find(name);
            std::optional<std::string> data =
                m != mended_.end() ? std::optional<std::string>(m->second) : zip_.read(name);
            if (!data) continue;
            unpacked += data->size();
            if (unpacked > most_unpacked) return std::nullopt;
            parts.emplace_back(name, std::move(*data));
        }
        return stored_zip(parts);
    }

    std::string_view bytes_;
    archive zip_;
    std::map<std::string, std::vector<relationship>> relationships_;
    std::map<std::string, std::string> mended_;  // part name -> its new bytes
};

}  // namespace

std::optional<xlsx_package> mend_xlsx_package(std::string_view bytes) {
    try {
        return package_mending(bytes).run();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::string> stored_zip(
    const std::vector<std::pair<std::string, std::string>>& parts) {
    std::uint64_t total = 0;
    for (const auto& [name, data] : parts) total += 128 + 2 * name.size() + data.size();
    if (total >= 0xFFFFFFFFu || parts.size() >= 0xFFFFu) return std::nullopt;
    std::string out, directory;
    for (const auto& [name, data] : parts) {
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        const std::uint32_t crc = crc32(data);
        const auto size = static_cast<std::uint32_t>(data.size());
        const auto name_size = static_cast<std::uint32_t>(name.size());
        put32(out, 0x04034b50u);
        for (std::uint32_t v : {20u, 0x0800u, 0u, 0u, 0x21u}) put16(out, v);  // UTF-8 names, stored
        put32(out, crc);
        put32(out, size);
        put32(out, size);
        put16(out, name_size);
        put16(out, 0);
        out += name;
        out += data;
        put32(directory, 0x02014b50u);
        for (std::uint32_t v : {20u, 20u, 0x0800u, 0u, 0u, 0x21u}) put16(directory, v);
        put32(directory, crc);
        put32(directory, size);
        put32(directory, size);
        put16(directory, name_size);
        for (int k = 0; k < 4; ++k) put16(directory, 0);
        put32(directory, 0);
        put32(directory, offset);
        directory += name;
    }
    const auto directory_at = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, 0x06054b50u);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint32_t>(parts.size()));
    put16(out, static_cast<std::uint32_t>(parts.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, directory_at);
    put16(out, 0);
    return out;
}

}  // namespace varnel
