import random
import sys


def generator(seed):
    state = [seed & 0xFFFFFFFF]
    for i in range(1, 624):
        state.append((1812433253 * (state[-1] ^ (state[-1] >> 30)) + i) & 0xFFFFFFFF)
    r = random.Random()
    r.setstate((3, tuple(state + [624]), None))
    return r


def order(runs, repeats, seed):
    lines = [(i, j) for i in range(1, runs + 1) for j in range(1, repeats + 1)]
    r = generator(seed)
    for i in range(len(lines), 1, -1):
        excess = (2**32 - i) % i
        x = r.getrandbits(32)
        while x < excess:
            x = r.getrandbits(32)
        j = x % i
        lines[i - 1], lines[j] = lines[j], lines[i - 1]
    return lines


if __name__ == "__main__":
    print(order(*map(int, sys.argv[1:4])))
