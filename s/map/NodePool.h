// s/map/NodePool.h
//
// The pool of one kind of hash-table node: raw, zeroed blocks of sizeof(Node) bytes. Up to
// 10000 released nodes are kept (zeroed again when they come back), further ones are freed,
// so filling and emptying large tables does not allocate. Built on first use and never
// destroyed, like the class pools (Pool.h). Any thread may obtain and release; obtain
// answers null when memory ran out.
#pragma once
#include <cstdlib>
#include <cstring>

#include "s/thread/EasyPooler.h"

namespace s::map {

template <class Node>
class NodePool {
public:
    static constexpr int kCapacity = 10000;

    static s::thread::EasyPooler& pooler() {
        static s::thread::EasyPooler* const pool =
            new s::thread::EasyPooler(kCapacity, &create, &destroy, &reset);  // lives until the process ends
        return *pool;
    }
    static Node* obtain() { return static_cast<Node*>(pooler().obtain()); }
    static void release(Node* node) { pooler().release(node); }
    // Frees a node without offering it to the pool (tables being destroyed).
    static void free(Node* node) { destroy(node); }

private:
    static void* create() { return std::calloc(1, sizeof(Node)); }
    static void destroy(void* node) { std::free(node); }
    static void reset(void* node) { std::memset(node, 0, sizeof(Node)); }
};

}  // namespace s::map
