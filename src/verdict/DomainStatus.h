#pragma once

#include <cstdint>

// What is known of a name: the status codes that records store and answers
// are classified into. 5 to 8 count consecutive failures.
enum DomainStatus : uint8_t
{
    STATUS_UNKNOWN = 0,
    STATUS_CHECKING = 1,
    STATUS_TAKEN = 2,
    STATUS_AVAILABLE = 3,
    STATUS_TOO_MANY_ERRORS = 4,
    STATUS_ERROR_FIRST = 5,
    STATUS_ERROR_LAST = 8,
};
