# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""--format sarif against the SARIF 2.1.0 schema and the JSON report."""

import json
import subprocess
import unittest

from checker_support import (CHECKER, SCRATCH, run, reference_trees, make_reference_tree,
                             sarif_schema, main)


class Sarif(unittest.TestCase):
    """--format sarif as GitHub code scanning takes it: valid against the
    SARIF 2.1.0 schema, every rule of --list-findings, and one result for
    each finding of the JSON report, at a location that exists."""

    def test_reference_trees_against_the_schema(self):
        import jsonschema  # Debian's python3-jsonschema
        validator = jsonschema.Draft4Validator(sarif_schema())
        codes = [line.split()[1] for line in run("--list-findings").stdout.decode().splitlines()]
        for name, (profile, files, runs) in reference_trees().items():
            make_reference_tree(name, profile, files)
            args = [a for a in runs[0] if a != "--json"]
            with self.subTest(tree=name):
                done = subprocess.run([str(CHECKER), "--format", "sarif", *args, name], cwd=SCRATCH,
                                      capture_output=True, timeout=120)
                log = json.loads(done.stdout)
                validator.validate(log)
                report = json.loads(subprocess.run([str(CHECKER), "--json", *args, name], cwd=SCRATCH,
                                                   capture_output=True, timeout=120).stdout)
                rules = [r["id"] for r in log["runs"][0]["tool"]["driver"]["rules"]]
                self.assertEqual(rules, codes)
                findings = report["findings"] + [f for l in report["languages"] for f in l["findings"]]
                results = log["runs"][0]["results"]
                self.assertEqual(sorted((r["ruleId"], r["level"]) for r in results),
                                 sorted((f["code"], f["severity"]) for f in findings))
                for r in results:
                    self.assertEqual(rules[r["ruleIndex"]], r["ruleId"])
                    physical = r["locations"][0]["physicalLocation"]
                    path = SCRATCH / physical["artifactLocation"]["uri"]
                    self.assertTrue(path.exists(), path)
                    if "region" in physical:
                        lines = path.read_bytes().splitlines()
                        self.assertLessEqual(physical["region"]["startLine"], len(lines))


if __name__ == "__main__":
    main()
