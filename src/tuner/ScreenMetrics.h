#pragma once
// The device facts that choose charts and highlight pictures: the idiom and the main screen's
// height in points, compared by exact equality. Read afresh by every user, never stored.

#include "platform/Device.h"

namespace balalaika::screen {

enum class DeviceClass { Phone, Pad, Other };

// Phone idiom, pad idiom, or another kind of device; one that reports no idiom is a phone.
DeviceClass deviceClass(const platform::Device& device);

// Phone screen heights, in points, whose layouts are drawn for the tablet chart:
// 667, 736, 812, 844, 852, 874, 896, 926, 932 and 956.
bool isLargePhoneHeight(double heightPoints);

}  // namespace balalaika::screen
