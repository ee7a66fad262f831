#pragma once

#include <QString>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// Exit statuses of varnel-plan.
enum planner_exit : int {
    exit_plan = 0,         // a plan was printed (and written)
    exit_no_fit = 1,       // no carton fits the container
    exit_refused = 2,      // refused input or bad usage
    exit_write_failed = 3  // the plan file could not be written
};

// A leading minus followed by a digit or point is a negative size, not an option.
bool looks_like_option(const std::string& argument);

// The name's bytes as the file system takes them; none when they are not
// UTF-8 (they would decode to U+FFFD and name another file).
std::optional<QString> file_name(const std::string& bytes);

// The plan file that `-o` names: none without -o or for "-" (standard
// output). False, after saying why on `err`, when the name is not UTF-8.
bool output_file(const std::optional<std::string>& output, std::optional<QString>& path,
                 std::ostream& err);

// Flushes `out` and returns `status`, or reports on `err` and returns
// exit_write_failed when standard output took nothing (a full disk, a closed
// pipe): a plan the caller never received is no success.
int finish_output(std::ostream& out, std::ostream& err, int status);

// Whether two names name one file that writing either would replace: the
// same file on the disk (through links, "./" or a hard link), or, where the
// file is not there yet, the same name in the same folder. A device or a
// FIFO, written into and never replaced, is no such file.
bool same_file(const QString& a, const QString& b);

// The refusal, naming the file as typed, when the plan file (-o; "-" is
// standard output) or the report is the packing list, or the plan file is
// the report; none when no two of the names given are one file.
std::optional<std::string> same_file_refusal(const std::optional<std::string>& list,
                                             const std::optional<std::string>& plan_file,
                                             const std::optional<std::string>& report);

// Saves a plan file atomically; false after reporting on `err`, naming the
// file as `typed`.
bool save_plan_file(const QString& path, const std::string& typed, std::string_view bytes,
                    std::ostream& err);

}  // namespace varnel
