// Opaque iteration position of the framework's lists and maps; null ends an iteration.
#pragma once

struct PositionTag;
typedef PositionTag* POSITION;
