#!/usr/bin/env python3
"""Each catalogue holds every text of the code and nothing else, each one translated, with the
source's placeholders, link addresses and accelerators. Names every entry that is not.
Usage: check-catalogues.py UPDATE-SCRIPT TRANSLATIONS-FOLDER"""
import filecmp, os, re, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

update, folder = sys.argv[1], sys.argv[2]
problems = []


def entries(path):
    """(context, source) -> list of translation texts, and the unfinished ones."""
    found, unfinished = {}, []
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            key = (context.findtext("name"), message.findtext("source"))
            translation = message.find("translation")
            forms = [f.text or "" for f in translation.iter("numerusform")] or [translation.text or ""]
            found[key] = forms
            if translation.get("type") or not all(forms):
                unfinished.append(key)
    return found, unfinished


def marks(text):
    """What a translation must keep: placeholders, link addresses, accelerators."""
    return (sorted(re.findall(r"%(?:L?\d|n)", text)), re.findall(r"\]\(([^)]*)\)", text),
            text.replace("&&", "").count("&"))


# The code's texts now: the update script run on a copy must change nothing.
with tempfile.TemporaryDirectory() as fresh:
    for name in os.listdir(folder):
        shutil.copy(os.path.join(folder, name), fresh)
    subprocess.run([update], check=True, env=dict(os.environ, QUILLMERE_TRANSLATIONS=fresh))
    for name in sorted(os.listdir(folder)):
        if not filecmp.cmp(os.path.join(folder, name), os.path.join(fresh, name), shallow=False):
            before, after = entries(os.path.join(folder, name))[0], entries(os.path.join(fresh, name))[0]
            for key in after.keys() - before.keys():
                problems.append(f"{name}: missing {key}: run scripts/update-translations.sh")
            for key in before.keys() - after.keys():
                problems.append(f"{name}: no longer in the code {key}")
            if before.keys() == after.keys():
                problems.append(f"{name}: not as scripts/update-translations.sh writes it")

for name in sorted(os.listdir(folder)):
    language = re.fullmatch(r"quillmere-timer_(\w+)\.ts", name).group(1)
    root = ET.parse(os.path.join(folder, name)).getroot()
    if not (root.get("language") or "").startswith(language):
        problems.append(f"{name}: language {root.get('language')}, not {language}")
    found, unfinished = entries(os.path.join(folder, name))
    problems += [f"{name}: unfinished {key}" for key in unfinished]
    for (context, source), forms in found.items():
        for form in forms:
            if form and marks(form) != marks(source):
                problems.append(f"{name}: {context} \"{source}\" -> \"{form}\" changes %1/%n, "
                                "a link address or an accelerator")

print("\n".join(problems) or f"{len(os.listdir(folder))} catalogues complete")
sys.exit(1 if problems else 0)
