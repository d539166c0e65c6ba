#pragma once
// Files and errors of the command-line tool, shared by every command.
//
// Paths given on the command line reach the file system byte for byte: a std::filesystem::path
// made from the argument's native bytes, never through a wide-string conversion (a name that is
// not UTF-8 still names the same file). A regular file is read by its size; standard input, pipes
// and devices are read up to kStreamInputLimit and refused beyond it, so that `--in /dev/zero`
// ends with an error instead of filling memory.
//
// Errors: UsageError (exit 2) for wrong arguments and unusable input; RefusedError (exit 1) when
// the library refuses the request or an output cannot be written completely. main() prints
// either as "drivesys: error: <what>" on standard error.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace drivesys_cli {

/// Wrong arguments or unusable input: exit code 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
/// A request the library refuses, or output that could not be written: exit code 1.
struct RefusedError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// The most a non-regular input (standard input, a pipe, a device) may hold: 256 MiB.
inline constexpr std::uintmax_t kStreamInputLimit = std::uintmax_t(256) << 20;

/// The file system path of a command-line argument, byte for byte.
inline std::filesystem::path nativePath(const std::string& arg) { return std::filesystem::path(arg); }

/// Reads a whole input ("-" is standard input). Throws UsageError naming the file when it is
/// missing, a folder, unreadable, or a non-regular input longer than kStreamInputLimit.
std::string readInput(const std::string& arg);
/// Same with an explicit limit for non-regular inputs (for tests).
std::string readInput(const std::string& arg, std::uintmax_t streamLimit);

/// readInput() parsed as JSON; a parse error names the file.
nlohmann::json readJsonInput(const std::string& arg);
/// The text of input `arg` parsed as JSON; a parse error names the input.
nlohmann::json parseJsonInput(const std::string& text, const std::string& arg);
/// The error for input `arg` that failed to parse: the parser's message, with the text it quotes
/// as last read cut to its end when long (it holds all that was read since the last string or
/// number, which is all of a file of brackets).
UsageError notValidJson(const std::string& arg, const nlohmann::json::exception& e);
/// How messages name input `arg`: "standard input" for "-", else the argument.
std::string inputName(const std::string& arg);

/// Creates or replaces `path` with `text`; throws UsageError naming the file when it cannot be
/// opened, RefusedError when it cannot be written completely.
void writeOutput(const std::filesystem::path& path, std::string_view text);
/// The same with what `write` writes to the stream it is given, passed on to the file in pieces
/// (for large output that need not be held whole).
void writeOutput(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write);

/// Appends `text` to `path` (created when missing) with one write, under an exclusive lock of
/// the file (flock), after a line feed when the file does not end with one. A failed or short
/// write cuts the file back to its previous length and throws RefusedError with the reason.
void appendOutput(const std::filesystem::path& path, std::string_view text);

/// A temporary file with a plain ASCII name, removed when the object ends: the bridge to
/// library calls that take a wide-string path.
class TempFile {
public:
    TempFile();
    explicit TempFile(std::string_view content);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// Validator for input-file arguments: "-" or an existing entry that is not a folder.
CLI::Validator inputFileValidator();

}  // namespace drivesys_cli
