#include "platform/SlurmArray.h"

int SlurmArrayPlace(long long id, long long first, long long last, long long step, int count)
{
    if (step < 1 || count < 1 || first + step * (count - 1) != last || id < first || id > last ||
        (id - first) % step != 0)
        return -1;
    return int((id - first) / step);
}
