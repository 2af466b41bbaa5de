// The codes by which the edit controls of both families report a failed
// check (shown in the error bubble; the focus stays in the edit).
#pragma once

inline constexpr int kEditErrorEmpty = 60673;       // empty text where it may not be empty
inline constexpr int kEditErrorNotInList = 60674;   // list-only combo: text not among the items
inline constexpr int kEditErrorInteger = 60680;     // not a valid integer
inline constexpr int kEditErrorCurrency = 60681;    // not a valid currency amount
inline constexpr int kEditErrorDecimal = 60688;     // not a valid decimal number
inline constexpr int kEditErrorMask = 60693;        // text does not satisfy the edit mask
