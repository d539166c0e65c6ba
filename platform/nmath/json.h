#pragma once
// Forward declaration of the JSON value type for headers; .cpp files include <nlohmann/json.hpp>.
#include <nlohmann/json_fwd.hpp>
