#pragma once

#include <string>

namespace quillmere {

class Resources;

// The identity of the running build, read once at start-up from a packaged text file.
class BuildInfo {
public:
    // The value of a field that was not read.
    static constexpr const char* Unknown = "UNKNOWN";

    BuildInfo(std::string build, std::string date, std::string version);

    // Reads the resource `basename`.txt; never fails: what was not read is "UNKNOWN".
    static BuildInfo fromResourceFile(const Resources& resources, const std::string& basename);

    const std::string& build() const { return build_; }
    const std::string& date() const { return date_; }
    const std::string& version() const { return version_; }

private:
    std::string build_;
    std::string date_;
    std::string version_;
};

} // namespace quillmere
