// Makes one allocation through new (std::nothrow) fail, so that tests reach
// the out-of-memory paths. Only the nothrow forms are affected.
#pragma once

// The nth nothrow allocation from now (counting from 0) returns null; the
// others succeed. -1 stops the failures. With objectsOnly, only the
// single-object form counts and fails (arrays, such as string buffers,
// which the platform asserts on, are left alone).
void FailNthNothrowNew(int n, bool objectsOnly = false);
// True while the armed failure has not happened yet.
bool NothrowFailurePending();
