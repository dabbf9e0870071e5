"""Every command start.sh's hint marks to run on this machine uses programs of the packages that
"install-deps.sh start" installs (or of what they depend on): start.sh installs nothing else."""
import re, shutil, subprocess, sys

root = sys.argv[1]
hint = subprocess.run(["bash", "-c", f'source "{root}/scripts/wine-env.sh"; virtual_display_hint :99 5999'],
                      capture_output=True, text=True, check=True).stdout
deps_script = open(f"{root}/scripts/install-deps.sh").read()
wanted = set(re.search(r"start_packages=\((.*?)\)", deps_script, re.S).group(1).split())
depends = {}
for line in subprocess.run(["dpkg-query", "-W", "-f=${Package}\t${Pre-Depends}, ${Depends}\n"],
                           capture_output=True, text=True).stdout.splitlines():
    name, _, deps = line.partition("\t")
    depends[name] = re.findall(r"([a-z0-9][a-z0-9+.-]+)(?::any)?", re.sub(r"\(.*?\)", "", deps))
todo = list(wanted)
while todo:
    for dep in depends.get(todo.pop(), []):
        if dep not in wanted:
            wanted.add(dep)
            todo.append(dep)

lines = hint.splitlines()
commands = [line.split("$ ", 1)[1] for i, line in enumerate(lines)
            if "$ " in line and "your own computer" not in lines[i - 1]]
failures = [] if commands else ["the hint offers nothing to run on this machine"]
for command in commands:
    for part in re.split(r"\|\||&&|[|;]", command):
        words = [w for w in part.split() if not re.match(r"^\w+=", w)]
        path = shutil.which(words[0], path="/usr/bin:/bin")  # where packages put programs
        owner = subprocess.run(["dpkg", "-S", path or words[0]], capture_output=True, text=True).stdout
        package = owner.split(":")[0]
        if package not in wanted:
            failures.append(f"{words[0]} (package {package or 'none'}) is not in the start set: {command}")
print("\n".join(failures) or f"ok: {commands}")
sys.exit(1 if failures else 0)
