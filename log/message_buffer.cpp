#include "common/message_buffer.h"

Str MessageBuffer;
