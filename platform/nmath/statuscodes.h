#pragma once
// Status codes returned by the framework's described variables.
namespace nStatusCodes {
enum StatusCode : int {
    Ok = 0,
    NotFound = 1,
    WrongType = 2,
    OutOfRange = 3,
    NotSupported = 4,
    /// A standard exception arose while building a JSON value; the value is null.
    ConversionFailed = 10,
};
}  // namespace nStatusCodes
