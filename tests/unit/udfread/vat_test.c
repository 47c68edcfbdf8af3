/* SPDX-FileCopyrightText: 2026 The launcher authors
 * SPDX-License-Identifier: LGPL-2.1-or-later
 * Our patch to libudfread, tested on its own functions: a block of the
 * virtual partition of write-once media is found through the Virtual
 * Allocation Table block by block, since a file's virtual blocks need not
 * be recorded one after another. Built from the patched source itself. */
#include "udfread.c"

#include <stdio.h>

enum { kPartitionStart = 1000 };

/* Each block read holds its own address after a descriptor tag (a file
 * entry's, with its checksum). */
static int read_numbered(udfread_block_input *input, uint32_t lba, void *buf, uint32_t nblocks,
                         int flags)
{
    uint32_t k;
    int i;
    (void)input;
    (void)flags;
    for (k = 0; k < nblocks; k++) {
        uint8_t *block = (uint8_t *)buf + k * UDF_BLOCK_SIZE;
        uint8_t sum = 0;
        memset(block, 0, UDF_BLOCK_SIZE);
        block[0] = ECMA_FileEntry & 0xff;
        block[1] = ECMA_FileEntry >> 8;
        for (i = 0; i < 16; i++) sum = (uint8_t)(sum + (i == 4 ? 0 : block[i]));
        block[4] = sum;
        memcpy(block + 16, &(uint32_t){lba + k}, 4);
    }
    return (int)nblocks;
}

static uint32_t address_of(const uint8_t *buf, int k)
{
    uint32_t lba;
    memcpy(&lba, buf + k * UDF_BLOCK_SIZE + 16, 4);
    return lba;
}

int main(void)
{
    udfread_block_input input = {NULL, read_numbered, NULL};
    uint32_t vat[] = {10, 40, 20, 0xffffffff};
    udfread udf;
    uint8_t buf[3 * UDF_BLOCK_SIZE];
    struct long_ad loc = {0, 3 * UDF_BLOCK_SIZE, 1, 0};
    int failures = 0, k;

    memset(&udf, 0, sizeof(udf));
    udf.input = &input;
    udf.part.num_partition = 1;
    udf.part.p[0].number = 0;
    udf.part.p[0].lba = kPartitionStart;
    udf.part.has_virtual = 1;
    udf.part.virtual_number = 1;
    udf.part.vat = vat;
    udf.part.vat_entries = 4;

    if (_read_metadata_blocks(&udf, buf, &loc) != ECMA_FileEntry) {
        fprintf(stderr, "FAIL: three virtual blocks not read as a file entry\n");
        failures++;
    }
    for (k = 0; k < 3; k++) {
        if (address_of(buf, k) != kPartitionStart + vat[k]) {
            fprintf(stderr, "FAIL: virtual block %d read from %u, not %u\n", k, address_of(buf, k),
                    kPartitionStart + vat[k]);
            failures++;
        }
    }
    /* A virtual block the table does not map is no block at all. */
    loc.lba = 2;
    loc.length = 2 * UDF_BLOCK_SIZE;
    if (_read_metadata_blocks(&udf, buf, &loc) != -1) {
        fprintf(stderr, "FAIL: a virtual block missing from the table was read\n");
        failures++;
    }
    if (failures == 0) printf("virtual blocks found one by one: ok\n");
    return failures != 0;
}
