#include "setup/text.h"

#include "setup/setup_state.h"

const char* load_text(unsigned id)
{
    state.text_ring_index = state.text_ring_index < TEXT_RING_SIZE - 1 ? state.text_ring_index + 1 : 0;
    char* buffer = state.text_ring[state.text_ring_index];
    if (LoadStringA(state.instance, static_cast<UINT>(id & 0xFFFF), buffer, TEXT_CHARS) == 0) return nullptr;
    return buffer;
}
