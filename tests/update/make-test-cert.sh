#!/bin/sh
# Regenerates the self-signed certificate and key the HTTPS test server uses.
# The certificate names 127.0.0.1 and is valid for a century, so the committed
# copies in data/ never need renewing; rerun only if they are lost.
set -eu
cd "$(dirname "$0")/data"
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 36500 \
  -subj "/CN=127.0.0.1" -addext "subjectAltName=IP:127.0.0.1" \
  -keyout localhost-key.pem -out localhost-cert.pem
