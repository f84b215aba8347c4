#include "log/message_buffer.h"

Str MessageBuffer;
