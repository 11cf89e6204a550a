// The visual base classes.
#include "zCVisual.h"

zCLASS_DEFINITION_ABSTRACT(zCVisual, zCObject, 0, 0);
zCLASS_DEFINITION_ABSTRACT(zCVisualAnimate, zCVisual, 0, 0);

zCVisual::~zCVisual()
{
    // A neighbour still linked to a visual that is gone would walk into freed memory.
    if (prevVisual && prevVisual->nextVisual == this)
        prevVisual->nextVisual = nextVisual;
    if (nextVisual && nextVisual->prevVisual == this)
        nextVisual->prevVisual = prevVisual;
    nextVisual = nullptr;
    prevVisual = nullptr;
}

zCVisual* zCVisual::LoadVisual(const zSTRING&)
{
    return nullptr;
}

void zCVisual::AppendToChain(zCVisual* other)
{
    if (!other)
        return;
    // One already in the chain would close a loop of links.
    for (zCVisual* before = prevVisual; before; before = before->prevVisual) {
        if (before == other)
            return;
    }
    zCVisual* last = this;
    for (;;) {
        if (last == other)
            return;
        if (!last->nextVisual)
            break;
        last = last->nextVisual;
    }
    // Links stay mutual, so that a destroyed visual can close its chain behind it:
    // other leaves the chain it was in, and its followers keep no link back to it.
    if (other->prevVisual && other->prevVisual->nextVisual == other)
        other->prevVisual->nextVisual = nullptr;
    if (other->nextVisual && other->nextVisual->prevVisual == other)
        other->nextVisual->prevVisual = nullptr;
    last->nextVisual = other;
    other->nextVisual = nullptr;
    other->prevVisual = last;
}
